// The real zanpel binary on the offscreen platform, in temporary folders.
#pragma once

#include "support/process.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zanpel::test {

class Program : public ::testing::Test {
protected:
    Program() { WriteFile(data.File("zanpel.wk2"), Sjis("@会議,,\r\n@設計,,\r\n@休憩,,\r\n")); }
    std::map<std::string, std::string> Env() const {
        return {{"QT_QPA_PLATFORM", "offscreen"},
                {"ZANPEL_DATA_DIR", data.Path()},
                {"XDG_RUNTIME_DIR", runtimeFolder},
                {"ZANPEL_TRACE", data.File("trace")},
                {"ASAN_OPTIONS", "detect_leaks=0"}}; // the libraries' own leaks at exit
    }
    // Starts the bar and waits until the trace has line (its start is done).
    std::unique_ptr<BackgroundProcess> Start(const std::string& line = "started") {
        auto bar =
            std::make_unique<BackgroundProcess>(std::vector<std::string>{ZANPEL_PATH}, Env());
        EXPECT_TRUE(WaitFor([&] { return Trace().find(line) != std::string::npos; }, 20000));
        return bar;
    }
    ProcessResult Second(std::vector<std::string> args = {}) {
        args.insert(args.begin(), ZANPEL_PATH);
        return RunProcess(args, Env());
    }
    std::string Trace() const { return ReadFile(data.File("trace")); }
    bool Traced(const std::string& line) const {
        return WaitFor([&] { return Trace().find(line) != std::string::npos; }, 10000);
    }

    TempDir data;
    TempDir runtime;
    std::string runtimeFolder = runtime.Path();
};

} // namespace zanpel::test
