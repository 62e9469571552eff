// Runs a program of the project as a user would, for end-to-end tests.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace zanpel::test {

struct ProcessResult {
    int ExitCode = -1; // -1 when killed or not started
    std::string Out;
    std::string Err;
};

// Runs argv with the current environment plus env (a value of "" removes the
// variable) and waits for it to end.
ProcessResult RunProcess(const std::vector<std::string>& argv,
                         const std::map<std::string, std::string>& env = {});

} // namespace zanpel::test
