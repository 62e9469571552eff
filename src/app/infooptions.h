// The options that the bar answers by itself, before it looks for a running
// bar: --version and --help. Anything else on its command line is the work
// item handed to the running bar.
#pragma once

#include <string>

namespace zanpel {

// The text to print (UTF-8) when argv asks for it; empty for a start.
std::string InfoOptionText(int argc, const char* const* argv);

} // namespace zanpel
