#include "app/foregrounddetector.h"

#include "app/workbuttons.h"
#include "records/names.h"
#include "tracking/foregroundsource.h"

namespace zanpel {

int FindAppLine(const TAppLines& lines, const std::string& exeName) {
    // The program's name up to the "/" that ends it: names here carry no
    // extension, and "code" must not take over the line of "codex".
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string& line = lines.Line(i);
        if (line.starts_with(exeName) &&
            (line.size() == exeName.size() || line[exeName.size()] == '/'))
            return i;
    }
    return -1;
}

TDetectResult DetectForeground(const ForegroundSource& source, TWorkButtons& buttons,
                               TAppLines& lines) {
    // A copy: the switching step may run the whole selection road, and the
    // pair must be the one this pass saw.
    const TForegroundApp app = source.Foreground();
    if (app.ExeName.empty())
        return {};
    if (!buttons.IsSelectedName(RestName()))
        buttons.SwitchByApplication(app.ExeName, app.Title);

    TDetectResult result;
    const std::string text = app.ExeName + "/" + app.Title;
    result.Line = FindAppLine(lines, app.ExeName);
    if (result.Line < 0) {
        lines.Append(text);
        result.Line = lines.Count() - 1;
        result.LineChanged = true;
    } else if (lines.Line(result.Line) != text) {
        lines.Replace(result.Line, text);
        result.LineChanged = true;
    }
    if (lines.ItemIndex() != result.Line)
        lines.SelectOnly(result.Line);
    return result;
}

} // namespace zanpel
