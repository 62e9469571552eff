// zanpelctl export YYYYMM [YYYYMM] [--format csv|json]
#include "cli/context.h"
#include "cli/exportformat.h"
#include "worklist/datalist.h"

#include <cstdio>

namespace zanpel::cli {

int RunExport(const CliArgs& args, const Context& ctx) {
    if (!ctx.OnlyOptions(args, {"format"}))
        return ExitUsage;
    YearMonth first;
    YearMonth last;
    if (!ctx.MonthRange(args, "export", first, last))
        return ExitUsage;
    const std::string format = args.Option("format", "csv");
    if (format != "csv" && format != "json")
        return ctx.Usage("--format は csv か json です: " + format);
    const ExportFormat kind = format == "csv" ? ExportFormat::Csv : ExportFormat::Json;
    if (!ctx.HasDataFolder())
        return ExitFileError;

    std::string out;
    AppendHeader(out, kind);
    int exitCode = ExitOk;
    for (YearMonth ym = first; ym <= last; ym = ym.Next()) {
        bool loaded = false;
        const auto list = ctx.OpenMonth(ym, false, loaded);
        if (!loaded)
            exitCode = ExitFileError;
        list->SortWorks(true);
        for (int i = 0; i < list->Count(); ++i)
            AppendRecordRows(out, *list->WorkAt(i), list->IsLoginAt(i), kind);
    }
    ctx.Out << out;
    return exitCode;
}

} // namespace zanpel::cli
