// zanpelctl settings: every setting with the value the bar would use, read
// from the folder's settings file, which is never written here.
#include "cli/context.h"
#include "records/textcodec.h"
#include "settings/initparam.h"

#include <ostream>

namespace zanpel::cli {

int RunSettings(const CliArgs& args, const Context& ctx) {
    if (!ctx.TakesNothing(args, "settings"))
        return ExitUsage;
    if (!ctx.HasDataFolder())
        return ExitFileError;
    TInitParam settings;
    // An unreadable file is reported; the defaults it leaves are still shown,
    // as they are what the bar would start with.
    const bool read = ctx.ReadSettings(settings);
    for (const SettingEntry& entry : settings.Entries())
        ctx.Out << entry.Key << "=" << Cp932ToUtf8(entry.Value) << "\n";
    return read ? ExitOk : ExitFileError;
}

} // namespace zanpel::cli
