// What testsupport.cpp needs of the system: POSIX (testplatform_posix.cpp)
// or Windows (testplatform_win.cpp).
#pragma once

#include <optional>
#include <string>

namespace zanpel::test {

// A new folder of a name no other has, in under; throws when it cannot be made.
std::string MakeUniqueFolder(const std::string& under);
// Sets the variable of this process, or removes it without a value (or an empty one).
void SetVariable(const std::string& name, const std::optional<std::string>& value);

} // namespace zanpel::test
