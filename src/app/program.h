// The program as a whole: one copy per user, the settings and the work list
// around the bar window, and the fixed order of saving at the end.
#pragma once

namespace zanpel {

// The second copy hands its first parameter to the running copy and ends
// with 0 without a window; the first copy runs the bar until it is closed.
int RunProgram(int argc, char** argv);

} // namespace zanpel
