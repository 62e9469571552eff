// zanpelctl run as a user would. A test binary that includes this gets the
// program's path from zanpel_test_runs(target zanpelctl) in CMake.
#pragma once

#include "support/process.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#ifndef ZANPELCTL_PATH
#error "a test that runs zanpelctl is registered with zanpel_test_runs(<test> zanpelctl)"
#endif

namespace zanpel::test {

// The command line of zanpelctl with args.
inline std::vector<std::string> ZanpelctlCommand(std::vector<std::string> args) {
    args.insert(args.begin(), ZANPELCTL_PATH);
    return args;
}

// Runs zanpelctl with args, in the test's environment plus env (see RunProcess).
inline ProcessResult RunZanpelctl(std::vector<std::string> args,
                                  const std::map<std::string, std::string>& env = {}) {
    return RunProcess(ZanpelctlCommand(std::move(args)), env);
}

// zanpelctl on a data folder of the test's own, with a folder of its own for
// the bar's lock.
class ZanpelctlTest : public ::testing::Test {
protected:
    // zanpelctl --data-dir <data> args, with env added to the environment;
    // the data folder is named by the option only, the state folder is the
    // runtime folder's "state".
    ProcessResult Run(std::vector<std::string> args,
                      std::map<std::string, std::string> env = {}) const {
        args.insert(args.begin(), {"--data-dir", data.Path()});
        env.insert({{"XDG_RUNTIME_DIR", runtime.Path()},
                    {"ZANPEL_DATA_DIR", ""},
                    {"XDG_STATE_HOME", runtime.Path() + "/state"}});
        return RunZanpelctl(std::move(args), env);
    }
    // Copies the fixture of tests/data into the data folder as name.
    void Install(const std::string& fixture, const std::string& name) const {
        WriteFile(data.File(name), ReadFile(DataFile(fixture)));
    }

    TempDir data;
    TempDir runtime;
};

} // namespace zanpel::test
