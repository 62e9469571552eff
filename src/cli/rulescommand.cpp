#include "cli/context.h"

namespace zanpel::cli {

int RunRules(const CliArgs&, const Context& ctx) { return ctx.Usage("not built yet"); }

} // namespace zanpel::cli
