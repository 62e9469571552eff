// GNOME on Wayland without our shell extension: the notice the bar gives at
// its start when application switching is on, and the about box that says
// the same.
#include "app/aboutbox.h"
#include "app/sessioninfo.h"
#include "controls/messageboxes.h"
#include "shotregistry.h"

namespace zanpel::shots {
namespace {

const TSessionInfo GnomeWithoutExtension{"xcb", true, TPlacementMethod::Hints,
                                         TForegroundCoverage::GnomeWithoutExtension,
                                         "GNOME Shell の IdleMonitor"};

TShot Notice(TShotContext&) {
    return {MakeMessageBox(nullptr, QMessageBox::Information,
                           QString::fromStdString(GnomeExtensionHint()), QMessageBox::Ok,
                           QMessageBox::Ok),
            {}};
}

TShot AboutBox(TShotContext& context) {
    return {std::make_unique<TAboutBox>(QString::fromStdString(context.DataFolder), nullptr,
                                        GnomeWithoutExtension),
            {}};
}

const TShotRegistrar notice("gnome-extension-notice", Notice);
const TShotRegistrar about("about-box-gnome", AboutBox);

} // namespace
} // namespace zanpel::shots
