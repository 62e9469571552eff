// Windows only: the program's texts (paths, messages) are UTF-8, the code
// page its manifest makes active; the system's wide calls take UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace zanpel {

std::wstring WideText(std::string_view utf8);
std::string Utf8Text(std::wstring_view wide);
// The system's description of a Windows error code (GetLastError), in UTF-8
// and without the line end.
std::string SystemErrorText(unsigned long code);

} // namespace zanpel
