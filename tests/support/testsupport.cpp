#include "support/testsupport.h"

#include "support/testplatform.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace zanpel::test {

TempDir::TempDir() : TempDir(std::filesystem::temp_directory_path().string()) {}

TempDir::TempDir(const std::string& under) : m_path(MakeUniqueFolder(under)) {}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
}

std::string MonthFiles(const std::string& folder) {
    std::string months;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".dat")
            months += ReadFile(entry.path().string());
    return months;
}

std::string DataFile(const std::string& name) {
    return std::string(ZANPEL_TEST_DATA) + "/" + name;
}

ScopedEnvironment::ScopedEnvironment(const std::map<std::string, std::string>& env) {
    for (const auto& [name, value] : env) {
        const char* old = std::getenv(name.c_str());
        m_old[name] = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
        SetVariable(name, value);
    }
}

ScopedEnvironment::~ScopedEnvironment() {
    for (const auto& [name, value] : m_old)
        SetVariable(name, value);
}

} // namespace zanpel::test
