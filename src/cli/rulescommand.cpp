// zanpelctl rules: every definition with its memo, categories and rules.
#include "cli/definitions.h"
#include "records/csvfile.h"
#include "records/textcodec.h"

#include <ostream>

namespace zanpel::cli {
namespace {

const char* KindName(TMatchKind kind) {
    switch (kind) {
    case TMatchKind::mkExactTitle:
        return "exact";
    case TMatchKind::mkWholeTitle:
        return "whole";
    case TMatchKind::mkAnywhere:
        break;
    }
    return "anywhere";
}

// Line breaks of a memo shown as "\n" so that each definition stays readable.
std::string OneLine(const std::string& cp932) {
    std::string text = Cp932ToUtf8(cp932);
    for (size_t pos = 0; (pos = text.find("\r\n", pos)) != std::string::npos;)
        text.replace(pos, 2, "\\n");
    return text;
}

} // namespace

int RunRules(const CliArgs& args, const Context& ctx) {
    if (!ctx.TakesNothing(args, "rules"))
        return ExitUsage;
    if (!ctx.HasDataFolder())
        return ExitFileError;
    TAppSwitch list;
    if (!LoadDefinitionsReadOnly(ctx, list))
        return ExitFileError;
    for (int i = 0; i < list.Count(); ++i) {
        const TAppList& item = list.Items(i);
        ctx.Out << i << "\t" << (item.Name.empty() ? "(無視リスト)" : Cp932ToUtf8(item.Name))
                << "\n\tmemo: " << OneLine(item.Memo) << "\n\tcategories:";
        for (const std::string& category : Split(item.Categories))
            ctx.Out << " [" << Cp932ToUtf8(category) << "]";
        ctx.Out << "\n\tswitching: " << (item.SwitchEnabled ? "on" : "off") << "\n";
        for (const TAppDefs& rule : item.Rules)
            ctx.Out << "\trule: kind=" << KindName(rule.MatchKind)
                    << " exe=" << Cp932ToUtf8(rule.ExeName)
                    << " pattern=" << Cp932ToUtf8(rule.Pattern)
                    << " stop=" << (rule.StopAfterSwitch ? "yes" : "no") << "\n";
    }
    return ExitOk;
}

} // namespace zanpel::cli
