// zanpelctl match EXE TITLE: which definition the application switch would pick.
// For a Wayland window the program name is its app_id, which the command says
// whenever it is asked wrongly or finds nothing.
#include "cli/definitions.h"
#include "records/textcodec.h"

#include <ostream>

namespace zanpel::cli {

int RunMatch(const CliArgs& args, const Context& ctx) {
    if (!ctx.OnlyOptions(args, {}))
        return ExitUsage;
    if (args.Arguments.size() != 2)
        return ctx.Usage("match には実行ファイル名 (Wayland のウィンドウでは app_id) と"
                         "ウィンドウタイトルを指定してください");
    if (!ctx.HasDataFolder())
        return ExitFileError;
    TAppSwitch list;
    if (!LoadDefinitionsReadOnly(ctx, list))
        return ExitFileError;
    const int index =
        list.Match(LocaleToCp932(args.Arguments[0]), LocaleToCp932(args.Arguments[1]));
    if (index < 0) {
        ctx.Err << "zanpelctl: 一致する規則はありません"
                   " (Wayland のウィンドウでは、規則のプログラム名は app_id と比べられます)\n";
        return ExitFileError;
    }
    ctx.Out << index << "\t" << Cp932ToUtf8(list.Items(index).Name) << "\t"
            << (list.LastStopAfterSwitch ? "stop" : "continue") << "\n";
    return ExitOk;
}

} // namespace zanpel::cli
