// The about box as it opens in a Sway session, where it has the most to say:
// XWayland, the bar placed through Sway's IPC, and both kinds of windows seen.
#include "app/aboutbox.h"
#include "shotregistry.h"

namespace zanpel::shots {
namespace {

TShot AboutBox(TShotContext& context) {
    const TSessionInfo sway{"xcb", true, TPlacementMethod::SwayIpc,
                            TForegroundCoverage::X11AndWayland, "Wayland の org_kde_kwin_idle"};
    return {std::make_unique<TAboutBox>(QString::fromStdString(context.DataFolder), nullptr, sway),
            {}};
}

const TShotRegistrar registrar("about-box", AboutBox);

} // namespace
} // namespace zanpel::shots
