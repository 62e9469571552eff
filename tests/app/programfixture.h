// The real zanpel binary on the offscreen platform, in temporary folders.
#pragma once

#include "support/process.h"
#include "support/testsupport.h"
#include "support/zanpel.h"

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
        std::map<std::string, std::string> env = BarEnvironment(data.Path(), runtimeFolder);
        env["QT_QPA_PLATFORM"] = "offscreen";
        return env;
    }
    // Starts the bar and waits until the trace has line (its start is done).
    std::unique_ptr<BackgroundProcess> Start(const std::string& line = "started") {
        auto bar = StartZanpel(Env());
        EXPECT_TRUE(WaitFor([&] { return Trace().find(line) != std::string::npos; }, 20000));
        return bar;
    }
    ProcessResult Second(std::vector<std::string> args = {}) {
        return RunProcess(ZanpelCommand(std::move(args)), Env());
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
