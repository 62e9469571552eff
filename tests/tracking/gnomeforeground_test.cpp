// The GNOME source on a session bus of the test's own, with a stand-in for
// GNOME Shell and our extension in it: it follows the extension's name and
// hears the extension only on the shell's own connection.
#include "support/desktops/fakegnomeshell.h"
#include "support/desktops/sessionbustest.h"
#include "support/qtwait.h"
#include "support/testsupport.h"
#include "tracking/gnomeforeground.h"

#include <gtest/gtest.h>

#include <memory>

namespace zanpel::test {
namespace {

constexpr uint32_t OwnPid = 77;

class GnomeSource : public SessionBusTest {
protected:
    void SetUp() override {
        SessionBusTest::SetUp();
        if (IsSkipped())
            return;
        source = ConnectGnomeForeground(OwnPid);
        ASSERT_NE(source, nullptr);
    }
    static QString Address() { return QString::fromStdString(bus->Address()); }
    // Lets the bus's messages in until the source shows title (or 5 s).
    bool Shows(const std::string& title) const {
        return RunLoopUntil([&] { return source->Foreground().Title == title; }, 5000);
    }
    // Lets the bus's messages in for a moment: what the source may hear.
    static void Listen() {
        RunLoopUntil([] { return false; }, 300);
    }

    std::unique_ptr<ForegroundSource> source;
};

TEST_F(GnomeSource, FollowsTheExtensionOfTheShellAsItComesAndGoes) {
    EXPECT_FALSE(source->Available());
    FakeGnomeShell shell(Address(), QStringLiteral("shell"), true);
    shell.Focus({"Firefox", "firefox.desktop", "議事録", 0});
    Listen();
    EXPECT_FALSE(source->Available()); // the extension is not enabled yet

    // Enabled: the source asks what has the focus, then follows the signal.
    shell.EnableExtension();
    ASSERT_TRUE(Shows(Sjis("議事録")));
    EXPECT_TRUE(source->Available());
    EXPECT_EQ(source->Foreground().ExeName, "firefox");
    shell.Focus({"", "org.gnome.Nautilus.desktop", "ホーム", 0});
    ASSERT_TRUE(Shows(Sjis("ホーム")));
    EXPECT_EQ(source->Foreground().ExeName, "org.gnome.nautilus");

    shell.DisableExtension();
    EXPECT_TRUE(RunLoopUntil([&] { return !source->Available(); }, 5000));
    EXPECT_EQ(source->Foreground().ExeName, "");
}

TEST_F(GnomeSource, HearsNoOtherProgramThatHasTheExtensionsName) {
    FakeGnomeShell shell(Address(), QStringLiteral("shell"), true);
    shell.Focus({"gedit", "", "メモ", 0});
    auto other = std::make_unique<FakeGnomeShell>(Address(), QStringLiteral("other"), false);
    other->EnableExtension();
    other->Focus({"xterm", "", "forged", 0});
    Listen();
    EXPECT_FALSE(source->Available());
    EXPECT_EQ(source->Foreground().ExeName, "");

    // The shell's extension, enabled meanwhile, waits in the name's queue
    // and has it once the other program goes.
    shell.EnableExtension();
    other->Focus({"xterm", "", "forged again", 0});
    Listen();
    EXPECT_EQ(source->Foreground().ExeName, "");
    other.reset();
    ASSERT_TRUE(Shows(Sjis("メモ")));
    EXPECT_TRUE(source->Available());
    EXPECT_EQ(source->Foreground().ExeName, "gedit");
}

} // namespace
} // namespace zanpel::test
