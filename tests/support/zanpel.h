// The bar, the zanpel binary, run as a user runs it. A test binary that
// includes this gets the program's path from zanpel_test_runs(<test> zanpel)
// in CMake.
#pragma once

#include "support/process.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#ifndef ZANPEL_PATH
#error "a test that runs zanpel is registered with zanpel_test_runs(<test> zanpel)"
#endif

namespace zanpel::test {

// The command line of zanpel with args (a second start hands them over).
inline std::vector<std::string> ZanpelCommand(std::vector<std::string> args = {}) {
    args.insert(args.begin(), ZANPEL_PATH);
    return args;
}

// The environment of a bar on the data folder dataFolder, which writes its
// trace there ("trace") and its state into "state" there, and its lock into
// runtimeFolder; the libraries' own
// leaks at its end are not reported.
inline std::map<std::string, std::string> BarEnvironment(const std::string& dataFolder,
                                                         const std::string& runtimeFolder) {
    return {{"ZANPEL_DATA_DIR", dataFolder},
            {"XDG_RUNTIME_DIR", runtimeFolder},
            {"ZANPEL_TRACE", dataFolder + "/trace"},
            {"XDG_STATE_HOME", dataFolder + "/state"},
            {"ASAN_OPTIONS", "detect_leaks=0"}};
}

// The bar started in the environment env, left running in the background.
inline std::unique_ptr<BackgroundProcess>
StartZanpel(const std::map<std::string, std::string>& env) {
    return std::make_unique<BackgroundProcess>(ZanpelCommand(), env);
}

} // namespace zanpel::test
