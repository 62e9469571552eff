// A session bus of the test program's own, for the tests of the bar's D-Bus
// sources. Qt connects to the session bus once, so one bus serves all the
// tests of the program.
#pragma once

#include "support/desktops/dbusbus.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace zanpel::test {

class SessionBusTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = new TempDir;
        bus = new TestDBus(folder->File("bus"));
        ::setenv("DBUS_SESSION_BUS_ADDRESS", bus->Address().c_str(), 1);
    }
    static void TearDownTestSuite() {
        delete bus;
        delete folder;
    }
    void SetUp() override {
        if (!bus->Error().empty())
            GTEST_SKIP() << bus->Error();
    }

    static inline TempDir* folder = nullptr;
    static inline TestDBus* bus = nullptr;
};

} // namespace zanpel::test
