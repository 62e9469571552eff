// The environment that a desktop session gives its clients, as a program
// that the session started wrote it to a file ("KEY=VALUE" lines, the
// output of env or of echo).
#pragma once

#include <map>
#include <string>

namespace zanpel::test {

// The variables of "KEY=VALUE" lines; other lines are left out.
std::map<std::string, std::string> ParseSessionEnv(const std::string& text);

// The variables of file, once it exists, waiting for it up to timeoutMs;
// empty when it did not come. Write the file under another name and move it
// into place, so that it is never read half written.
std::map<std::string, std::string> WaitForSessionEnv(const std::string& file, int timeoutMs);

// The value of name in env, or empty.
std::string ValueOf(const std::map<std::string, std::string>& env, const std::string& name);

} // namespace zanpel::test
