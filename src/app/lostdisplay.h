// When the X server goes away (a crashed or ended session), Qt reports it and
// ends the process at once with exit(1), past every orderly end. The report
// is the last moment at which everything is still alive: the program writes
// it all then.
#pragma once

#include <functional>

namespace zanpel {

// Watches Qt's messages for the report of a lost X11 connection and runs
// save once when it comes (Qt's own handling of the message follows).
void SaveWhenDisplayIsLost(std::function<void()> save);
// The orderly end has begun: a lost display saves nothing any more.
void ForgetLostDisplaySave();

} // namespace zanpel
