// zanpelctl export YYYYMM [YYYYMM] [--format csv|json]
#include "cli/context.h"
#include "cli/exportformat.h"
#include "records/datalist.h"

#include <cstdio>

namespace zanpel::cli {

int RunExport(const CliArgs& args, const Context& ctx) {
    if (!ctx.OnlyOptions(args, {"format"}))
        return ExitUsage;
    if (args.Arguments.empty() || args.Arguments.size() > 2)
        return ctx.Usage("export には月 (YYYYMM) を一つか二つ指定してください");
    const auto first = ParseYearMonth(args.Arguments[0]);
    const auto last = args.Arguments.size() == 2 ? ParseYearMonth(args.Arguments[1]) : first;
    if (!first || !last || *last < *first)
        return ctx.Usage("月は YYYYMM の形で、古い月から指定してください");
    const std::string format = args.Option("format", "csv");
    if (format != "csv" && format != "json")
        return ctx.Usage("--format は csv か json です: " + format);
    const ExportFormat kind = format == "csv" ? ExportFormat::Csv : ExportFormat::Json;

    std::string out;
    AppendHeader(out, kind);
    int exitCode = ExitOk;
    for (YearMonth ym = *first; ym <= *last; ym = ym.Next()) {
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
