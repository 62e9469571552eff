// Whether the folder of the lock file and the hand-over socket can be trusted.
// Whoever controls that folder can hold the lock or listen on the socket in
// the user's place, and so make the user's bar hand its start over and end.
#pragma once

#include <sys/types.h>

#include <string>

namespace zanpel {

// Empty when path is a real folder (not a symbolic link) owned by uid with no
// access for group or others, shallow enough for the hand-over socket
// inside it; otherwise a message in Japanese (UTF-8) that
// names the folder, says what is wrong and how to mend it.
std::string RuntimeFolderProblem(const std::string& path, uid_t uid);

} // namespace zanpel
