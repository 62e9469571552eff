#include "support/desktops/sessionenv.h"

#include "support/process.h"
#include "support/testsupport.h"

#include <filesystem>
#include <sstream>

namespace zanpel::test {

std::map<std::string, std::string> ParseSessionEnv(const std::string& text) {
    std::map<std::string, std::string> values;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        if (const size_t equals = line.find('='); equals != std::string::npos && equals > 0)
            values[line.substr(0, equals)] = line.substr(equals + 1);
    return values;
}

std::map<std::string, std::string> WaitForSessionEnv(const std::string& file, int timeoutMs) {
    if (!WaitFor([&] { return std::filesystem::exists(file); }, timeoutMs))
        return {};
    return ParseSessionEnv(ReadFile(file));
}

std::string ValueOf(const std::map<std::string, std::string>& env, const std::string& name) {
    const auto found = env.find(name);
    return found == env.end() ? std::string() : found->second;
}

} // namespace zanpel::test
