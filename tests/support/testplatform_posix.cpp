#include "support/testplatform.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace zanpel::test {

std::string MakeUniqueFolder(const std::string& under) {
    std::string pattern = (std::filesystem::path(under) / "zanpel-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    return pattern;
}

void SetVariable(const std::string& name, const std::optional<std::string>& value) {
    if (value && !value->empty())
        ::setenv(name.c_str(), value->c_str(), 1);
    else
        ::unsetenv(name.c_str());
}

std::string FastTempFolder() {
    std::error_code error;
    if (std::filesystem::is_directory("/dev/shm", error) && ::access("/dev/shm", W_OK) == 0)
        return "/dev/shm";
    return std::filesystem::temp_directory_path().string();
}

} // namespace zanpel::test
