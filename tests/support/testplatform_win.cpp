#include "support/testplatform.h"
#include "support/testsupport.h"

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <stdexcept>

namespace zanpel::test {

std::string MakeUniqueFolder(const std::string& under) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path folder =
            std::filesystem::path(under) / ("zanpel-test-" + std::to_string(random()));
        std::error_code error;
        if (std::filesystem::create_directory(folder, error))
            return folder.generic_string();
    }
    throw std::runtime_error("no folder of the test's own could be made");
}

void SetVariable(const std::string& name, const std::optional<std::string>& value) {
    ::_putenv_s(name.c_str(), value ? value->c_str() : "");
}

std::string FastTempFolder() {
    return std::filesystem::temp_directory_path().generic_string();
}

} // namespace zanpel::test
