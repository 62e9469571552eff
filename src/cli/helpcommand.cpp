// zanpelctl help (or --help) and --version.
#include "app/version.h"
#include "cli/context.h"

#include <ostream>

namespace zanpel::cli {

int RunHelp(const CliArgs&, const Context& ctx) {
    PrintUsage(ctx.Out);
    return ExitOk;
}

int RunVersion(const CliArgs&, const Context& ctx) {
    ctx.Out << "zanpelctl " << ProgramVersion << "\n";
    return ExitOk;
}

} // namespace zanpel::cli
