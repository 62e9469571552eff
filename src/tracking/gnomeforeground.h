// The foreground on GNOME Shell (Wayland), which shows no program the
// windows of others: our shell extension owns a name on the session bus and
// signals each change of the focused window and of its title. The source
// follows that name, so an extension enabled after the bar started serves
// too.
#pragma once

#include "tracking/reportedforeground.h"

#include <cstdint>
#include <memory>

namespace zanpel {

// Whether GNOME Shell runs on the session bus.
bool GnomeShellRuns();

// The extension's source: available while the extension's name is on the
// session bus, owned by GNOME Shell's own connection (the one that owns
// org.gnome.Shell). Null without a session bus.
std::unique_ptr<ForegroundSource> ConnectGnomeForeground(uint32_t ownPid);

} // namespace zanpel
