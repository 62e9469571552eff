// zanpelctl match EXE TITLE: which definition the application switch would pick.
#include "cli/definitions.h"
#include "records/textcodec.h"

#include <ostream>

namespace zanpel::cli {

int RunMatch(const CliArgs& args, const Context& ctx) {
    if (!ctx.OnlyOptions(args, {}))
        return ExitUsage;
    if (args.Arguments.size() != 2)
        return ctx.Usage("match には実行ファイル名とウィンドウタイトルを指定してください");
    TAppSwitch list;
    if (!LoadDefinitionsReadOnly(ctx, list))
        return ExitFileError;
    const int index = list.Match(LocaleToCp932(args.Arguments[0]), LocaleToCp932(args.Arguments[1]));
    if (index < 0) {
        ctx.Err << "zanpelctl: 一致する規則はありません\n";
        return ExitFileError;
    }
    ctx.Out << index << "\t" << Cp932ToUtf8(list.Items(index).Name) << "\t"
            << (list.LastStopAfterSwitch ? "stop" : "continue") << "\n";
    return ExitOk;
}

} // namespace zanpel::cli
