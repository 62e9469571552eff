#include "app/foregrounddetector.h"

#include "app/workbuttons.h"
#include "records/names.h"
#include "tracking/foregroundsource.h"

namespace zanpel {

int FindAppLine(const TAppLines& lines, const std::string& exeName) {
    for (int i = 0; i < lines.Count(); ++i)
        if (lines.Line(i).starts_with(exeName))
            return i;
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
