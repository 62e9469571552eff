// A test on an X server of its own, started before each test; the test is
// skipped when Xvfb, or another program it needs, is not installed.
#pragma once

#include "support/x11/xserver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zanpel::test {

class XServerTest : public ::testing::Test {
protected:
    explicit XServerTest(std::vector<std::string> alsoNeeded = {})
        : m_needed(std::move(alsoNeeded)) {}
    void SetUp() override {
        m_needed.insert(m_needed.begin(), "Xvfb");
        for (const std::string& program : m_needed)
            if (FindProgram(program).empty())
                GTEST_SKIP() << program << " is not installed (scripts/setup installs it)";
        server = std::make_unique<TestXServer>();
        ASSERT_FALSE(server->Display().empty()) << "Xvfb did not start";
    }
    // Whether the server runs, for the SetUp of a test built on this one.
    static bool ServerStarted() { return !IsSkipped() && !HasFatalFailure(); }

    std::unique_ptr<TestXServer> server;

private:
    std::vector<std::string> m_needed;
};

} // namespace zanpel::test
