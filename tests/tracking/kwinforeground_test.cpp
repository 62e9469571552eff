// The KWin source on a session bus of the test's own, with a stand-in for
// KWin's scripting interface: how it loads, runs and unloads its script,
// and that it takes the active window from KWin's connection alone.
#include "support/desktops/fakekwin.h"
#include "support/desktops/sessionbustest.h"
#include "support/qtwait.h"
#include "support/testsupport.h"
#include "tracking/kwinforeground.h"
#include "tracking/kwinscript.h"

#include <QDBusPendingReply>

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace zanpel::test {
namespace {

using Behaviour = FakeKWin::TBehaviour;

constexpr uint32_t OwnPid = 77;

class KWinSource : public SessionBusTest {
protected:
    static void SetUpTestSuite() {
        SessionBusTest::SetUpTestSuite();
        std::filesystem::create_directory(Runtime());
        std::filesystem::permissions(Runtime(), std::filesystem::perms::owner_all);
        ::setenv("XDG_RUNTIME_DIR", Runtime().c_str(), 1);
    }
    static std::string Runtime() { return folder->File("run"); }
    static std::vector<std::string> ScriptFiles() {
        std::vector<std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(Runtime()))
            if (entry.path().extension() == ".js")
                files.push_back(entry.path().string());
        return files;
    }
    // The bar's object called from connection, as the script calls it;
    // the error's name, empty when it was taken.
    static std::string Call(QDBusPendingCall call) {
        RunLoopUntil([&] { return call.isFinished(); }, 5000);
        return call.isError() ? call.error().name().toStdString() : std::string();
    }
    static QDBusPendingCall Report(const FakeKWin& kwin, const QVariantList& arguments) {
        return kwin.CallAsScript(QDBusConnection::sessionBus().baseService(), KWinReportPath,
                                 KWinReportInterface, KWinReportMethod, arguments);
    }
};

TEST_F(KWinSource, IsNoneWithoutKWinOrWhenKWinDoesNotRunTheScript) {
    EXPECT_EQ(ConnectKWinForeground(OwnPid), nullptr);
    for (const Behaviour& refusing :
         {Behaviour{-1, {"/0"}}, Behaviour{0, {}}}) { // loads nothing, runs nothing
        FakeKWin kwin(QString::fromStdString(bus->Address()), refusing);
        EXPECT_EQ(ConnectKWinForeground(OwnPid), nullptr);
        EXPECT_FALSE(kwin.Loaded(KWinScriptName));
        EXPECT_EQ(ScriptFiles(), std::vector<std::string>{});
    }
}

TEST_F(KWinSource, LoadsItsScriptInPlaceOfAStaleOneRunsItAndUnloadsIt) {
    for (const char* path : {"/3", "/Scripting/Script3"}) { // KWin 5.27, Plasma 6
        FakeKWin kwin(QString::fromStdString(bus->Address()), Behaviour{3, {path}});
        kwin.Preload(KWinScriptName); // by a bar that crashed
        auto source = ConnectKWinForeground(OwnPid);
        ASSERT_NE(source, nullptr) << path;
        EXPECT_TRUE(source->Available());
        ASSERT_EQ(ScriptFiles().size(), 1U);
        const FakeKWin::TScriptFile script = kwin.Script();
        EXPECT_EQ(script.Path, ScriptFiles()[0]);
        EXPECT_EQ(script.Mode, 0600U);
        EXPECT_EQ(script.Text,
                  KWinScriptText(QDBusConnection::sessionBus().baseService().toStdString()));
        // The stale one unloaded and gone, then ours loaded and run.
        const std::vector<std::string> calls = kwin.Calls();
        const auto load = std::find(calls.begin(), calls.end(),
                                    "loadScript " + script.Path + " " + KWinScriptName);
        ASSERT_NE(load, calls.end());
        EXPECT_EQ(calls.front(), std::string("unloadScript ") + KWinScriptName);
        EXPECT_EQ(*(load - 1), std::string("isScriptLoaded ") + KWinScriptName);
        EXPECT_EQ(std::count(load + 1, calls.end(), "run"), calls.end() - load - 1);
        EXPECT_EQ(calls.back(), "run");
        source.reset();
        EXPECT_FALSE(kwin.Loaded(KWinScriptName));
        EXPECT_EQ(ScriptFiles(), std::vector<std::string>{});
    }
}

TEST_F(KWinSource, TakesTheActiveWindowFromKWinAlone) {
    FakeKWin kwin(QString::fromStdString(bus->Address()), Behaviour{});
    auto source = ConnectKWinForeground(OwnPid);
    ASSERT_NE(source, nullptr);
    int changes = 0;
    source->SetOnChange([&] { ++changes; });
    const TForegroundApp firefox{"firefox", Sjis("議事録")};

    EXPECT_EQ(Call(Report(kwin, {"Firefox", "議事録", 0})), "");
    EXPECT_EQ(source->Foreground(), firefox);
    EXPECT_EQ(source->ActiveWindow(), 1U);
    EXPECT_EQ(changes, 1);

    // Another program on the bus that calls the same is turned away.
    QDBusConnection other = QDBusConnection::connectToBus(QString::fromStdString(bus->Address()),
                                                          QStringLiteral("other"));
    QDBusMessage forged =
        QDBusMessage::createMethodCall(QDBusConnection::sessionBus().baseService(), KWinReportPath,
                                       KWinReportInterface, KWinReportMethod);
    forged << QStringLiteral("xterm") << QStringLiteral("forged") << 0;
    EXPECT_EQ(Call(other.asyncCall(forged)), "org.freedesktop.DBus.Error.AccessDenied");
    QDBusConnection::disconnectFromBus(QStringLiteral("other"));

    // Calls of another shape, from KWin too.
    const QVariantList malformed[] = {
        {"xterm", "bash"},        {"xterm", "bash", "42"},
        {"xterm", "bash", 42, 1}, {QByteArray("xterm"), "bash", 42},
        {"xterm", "bash", 4.5},   {"xterm", "bash", std::nan("")},
    };
    for (const QVariantList& arguments : malformed)
        EXPECT_EQ(Call(Report(kwin, arguments)), "org.freedesktop.DBus.Error.InvalidArgs");
    EXPECT_EQ(source->Foreground(), firefox);
    EXPECT_EQ(changes, 1);

    // A JavaScript number may come as a double; KWin's -1 is no process,
    // and a caption of any length is cut.
    EXPECT_EQ(Call(Report(kwin, {"XTerm", QString(100000, QChar(0x3042)), -1.0})), "");
    EXPECT_EQ(source->Foreground().ExeName, "xterm");
    EXPECT_EQ(source->Foreground().Title.size(), MaxTitleBytes - 1); // whole characters
    EXPECT_EQ(Call(Report(kwin, {"Kate", "x", 1e300})), "");
    EXPECT_EQ(source->Foreground(), (TForegroundApp{"kate", "x"}));

    // Nothing active.
    EXPECT_EQ(Call(Report(kwin, {"", "", 0})), "");
    EXPECT_EQ(source->Foreground(), TForegroundApp{});
    EXPECT_EQ(source->ActiveWindow(), 0U);
    source->SetOnChange(nullptr);
}

} // namespace
} // namespace zanpel::test
