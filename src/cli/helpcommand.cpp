// zanpelctl help (or --help) and --version.
#include "cli/context.h"

#include <ostream>

namespace zanpel::cli {

int RunHelp(const CliArgs&, const Context& ctx) {
    PrintUsage(ctx.Out);
    return ExitOk;
}

int RunVersion(const CliArgs&, const Context& ctx) {
    ctx.Out << "zanpelctl " << ZANPEL_VERSION << "\n";
    return ExitOk;
}

} // namespace zanpel::cli
