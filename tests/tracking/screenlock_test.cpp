// The screen lock as logind and the desktop's screen savers tell it, on
// private buses with the test's own logind and screen savers.
#include "support/desktops/dbusbus.h"
#include "support/fakescreenlock.h"
#include "support/testsupport.h"
#include "support/x11/xserver.h"
#include "tracking/screenlock.h"

#include <QTest>

#include <gtest/gtest.h>

#include <random>

namespace zanpel::test {
namespace {

class ScreenLock : public ::testing::Test {
protected:
    void SetUp() override {
        if (FindProgram("dbus-daemon").empty())
            GTEST_SKIP() << "dbus-daemon is not installed (scripts/setup installs it)";
        ASSERT_EQ(system.Error(), "");
        ASSERT_EQ(session.Error(), "");
    }
    // The watch, once it follows the session that the fake logind answers.
    std::unique_ptr<ScreenLockWatch> Watch(FakeLogind& logind) {
        EXPECT_TRUE(logind.Ready());
        auto watch = WatchScreenLock([this](bool locked) { changes.push_back(locked); },
                                     {system.Address(), session.Address()});
        EXPECT_TRUE(QTest::qWaitFor([&] { return logind.Asked() > 0; }, 5000));
        return watch;
    }
    // The watch told count changes by now.
    bool Told(std::size_t count) {
        return QTest::qWaitFor([&] { return changes.size() >= count; }, 5000) &&
               changes.size() == count;
    }
    // Nothing more than count, after what was sent had time to come.
    bool ToldNoMore(std::size_t count) {
        QTest::qWait(150);
        return changes.size() == count;
    }

    TempDir folder;
    TestDBus system{folder.File("system")};
    TestDBus session{folder.File("session")};
    std::vector<bool> changes;
};

TEST_F(ScreenLock, ChangesOfTheSessionsLockedHintAreLocksAndUnlocks) {
    FakeLogind logind(system.Address());
    const auto watch = Watch(logind);
    ASSERT_TRUE(ToldNoMore(0));
    logind.SetLockedHint(true);
    ASSERT_TRUE(Told(1));
    logind.SetLockedHint(true);
    ASSERT_TRUE(ToldNoMore(1));
    logind.SetLockedHint(false);
    ASSERT_TRUE(Told(2));
    EXPECT_EQ(changes, (std::vector<bool>{true, false}));
}

TEST_F(ScreenLock, ASessionLockedAtTheStartIsALockAtOnce) {
    FakeLogind logind(system.Address(), true);
    const auto watch = Watch(logind);
    ASSERT_TRUE(Told(1));
    EXPECT_TRUE(changes[0]);
}

// logind and three screen savers speak in random order: whoever spoke last
// is right, and the watch tells each change once.
TEST_F(ScreenLock, TheLastOfLogindAndTheScreenSaversToSpeakIsRight) {
    FakeLogind logind(system.Address());
    FakeScreenSaver gnome(session.Address(), "org.gnome.ScreenSaver", "/org/gnome/ScreenSaver");
    FakeScreenSaver freedesktop(session.Address(), "org.freedesktop.ScreenSaver",
                                "/org/freedesktop/ScreenSaver");
    ASSERT_TRUE(gnome.Ready() && freedesktop.Ready());
    const auto watch = Watch(logind);
    std::mt19937 random(20261211);
    bool locked = false;
    std::vector<bool> expected;
    for (int said = 0; said < 24; ++said) {
        const bool value = random() % 2 == 0;
        const unsigned speaker = random() % 3;
        SCOPED_TRACE("word " + std::to_string(said) + ": speaker " + std::to_string(speaker) +
                     (value ? " locked" : " unlocked"));
        if (speaker == 0)
            logind.SetLockedHint(value);
        else
            (speaker == 1 ? gnome : freedesktop).SetActive(value);
        if (value != locked)
            expected.push_back(value);
        locked = value;
        ASSERT_TRUE(expected.size() > changes.size() ? Told(expected.size())
                                                     : ToldNoMore(expected.size()));
        EXPECT_EQ(changes, expected);
    }
}

// Only the lock's own words count: not a client that says the same as
// logind or as a screen saver without being it, not another property of the
// session, not logind's request to the session's locker to lock.
TEST_F(ScreenLock, OnlyLogindsHintAndTheScreenSaversThemselvesAreHeard) {
    FakeLogind logind(system.Address());
    const auto watch = Watch(logind);
    BusClient impostor(system.Address(), QStringLiteral("impostor-logind"));
    impostor.Send(FakeLogind::Changed({{QStringLiteral("LockedHint"), true}}));
    BusClient saverImpostor(session.Address(), QStringLiteral("impostor-saver"));
    QDBusMessage active = QDBusMessage::createSignal(QStringLiteral("/org/gnome/ScreenSaver"),
                                                     QStringLiteral("org.gnome.ScreenSaver"),
                                                     QStringLiteral("ActiveChanged"));
    active << true;
    saverImpostor.Send(active);
    logind.SayChanged({{QStringLiteral("IdleHint"), true}});
    logind.Signal("Lock");
    ASSERT_TRUE(ToldNoMore(0));
    logind.SetLockedHint(true);
    ASSERT_TRUE(Told(1));
}

TEST_F(ScreenLock, BusesThatCannotBeReachedTellNothing) {
    TempDir nowhere;
    const auto watch = WatchScreenLock(
        [this](bool locked) { changes.push_back(locked); },
        {"unix:path=" + nowhere.File("system"), "unix:path=" + nowhere.File("session")});
    EXPECT_TRUE(ToldNoMore(0));
}

} // namespace
} // namespace zanpel::test
