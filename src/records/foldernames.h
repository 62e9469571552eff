// The names in a folder, and a file's name as the file system tells names
// apart: as it is on Linux; on Windows without the case of its letters and
// without the dots and spaces at its end, which Windows drops from a name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zanpel {

// The names of the entries of folder, "." and ".." left out, in no order;
// false with the cause (the folder and the system's error) in error when the
// folder cannot be read.
bool ListFolder(const std::string& folder, std::vector<std::string>& names, std::string& error);

// name in the one spelling that the file system takes for all of its
// spellings ("200503.DAT." is "200503.dat" on Windows).
std::string ComparedFileName(std::string_view name);

} // namespace zanpel
