// The second copy's side of the hand-over: send one frame to the running
// copy's socket and wait for its one-byte answer.
#pragma once

#include <string>

namespace zanpel {

// Name of the running copy's socket in the runtime folder.
inline constexpr const char* HandOverSocketName = "TZanpelForm";

// True when the running copy took the frame and answered within timeoutMs.
bool SendHandOver(const std::string& socketPath, const std::string& frame, int timeoutMs);

} // namespace zanpel
