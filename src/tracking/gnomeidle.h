// The idle source of GNOME Shell (Wayland and X11): mutter's idle monitor on
// the session bus, whose watches fire for the program that set them alone.
#pragma once

#include "tracking/idlesource.h"

#include <memory>
#include <string>

namespace zanpel {

// A source on the session bus (sessionBus: its address; empty: the
// session's own). None without the bus or without mutter's idle monitor on
// it.
std::unique_ptr<IdleSource> ConnectGnomeIdle(const std::string& sessionBus = {});

} // namespace zanpel
