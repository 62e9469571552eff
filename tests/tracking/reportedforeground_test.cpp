// The foreground as a desktop's script or extension reports it: named by the
// window's process as on X11, by its class when the process is unknown, and
// the desktop's reporter preferred while it runs.
#include "support/fakeforegroundsource.h"
#include "support/testsupport.h"
#include "tracking/reportedforeground.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zanpel::test {
namespace {

class ReportedWindow : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(proc.File("4242"));
        std::filesystem::create_symlink("/usr/lib/firefox-esr/Firefox-ESR", proc.File("4242/exe"));
    }
    TForegroundApp App(const std::string& cls, const std::string& title, uint32_t pid) const {
        return AppOfReport({cls, title, pid}, 77, proc.Path());
    }
    TempDir proc;
};

TEST_F(ReportedWindow, IsNamedByItsProcessElseByItsClass) {
    EXPECT_EQ(App("firefox-esr", "議事録 ✓", 4242),
              (TForegroundApp{"firefox-esr", Sjis("議事録 ?")}));
    // A process of which /proc knows nothing (gone, or in another namespace).
    EXPECT_EQ(App("org.gnome.Nautilus", "ホーム", 9999).ExeName, "org.gnome.nautilus");
    EXPECT_EQ(App("XTerm", "bash", 0).ExeName, "xterm");
    // Neither: nothing to match a rule against.
    EXPECT_EQ(App("", "無題", 0), TForegroundApp{});
    // A huge title is cut as any title is, between characters.
    std::string huge;
    for (int i = 0; i < 100000; ++i)
        huge += "あ";
    EXPECT_EQ(App("firefox-esr", "a" + huge, 4242).Title,
              "a" + Sjis(std::string(huge, 0, 127 * 3)));
    // This program's own windows, whatever their class.
    EXPECT_EQ(App("Zanpel", "12月07日", 77), TForegroundApp{});
}

TEST_F(ReportedWindow, TheSourceChangesOnlyWithWhatTheBarSees) {
    TReportedForeground source(77, proc.Path());
    int changes = 0;
    source.SetOnChange([&] { ++changes; });
    EXPECT_FALSE(source.Available());
    source.SetAvailable(true);
    EXPECT_EQ(changes, 1);
    source.Report({"firefox-esr", "a", 4242});
    source.Report({"firefox-esr", "a", 4242}); // the same again: nothing new
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(source.ActiveWindow(), 1U);
    // The bar's own window: no program, but a window in front.
    source.Report({"Zanpel", "bar", 77});
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(source.Foreground(), TForegroundApp{});
    EXPECT_EQ(source.ActiveWindow(), 1U);
    source.Report({});
    EXPECT_EQ(source.ActiveWindow(), 0U);
    source.Report({"firefox-esr", "b", 4242});
    // The reporter goes: nothing is in front any more.
    source.SetAvailable(false);
    EXPECT_EQ(source.Foreground(), TForegroundApp{});
    EXPECT_EQ(source.ActiveWindow(), 0U);
    EXPECT_EQ(changes, 6);
}

TEST(PreferredForeground, TheReporterAnswersWhileItRunsAndTheOtherSourceElse) {
    auto reporter = std::make_unique<TReportedForeground>(77);
    auto x11 = std::make_unique<FakeForegroundSource>();
    TReportedForeground& desktop = *reporter;
    FakeForegroundSource& xwayland = *x11;
    TPreferredForeground source(std::move(reporter), TForegroundCoverage::GnomeExtension,
                                std::move(x11), TForegroundCoverage::GnomeWithoutExtension);
    int changes = 0;
    source.SetOnChange([&] { ++changes; });
    xwayland.Show(5, {"xterm", "x"});
    EXPECT_EQ(source.Foreground().ExeName, "xterm");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(source.Coverage(), TForegroundCoverage::GnomeWithoutExtension);
    desktop.SetAvailable(true); // the extension is enabled
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(source.Coverage(), TForegroundCoverage::GnomeExtension);
    desktop.Report({"gedit", "g", 0});
    EXPECT_EQ(source.Foreground().ExeName, "gedit");
    xwayland.Show(6, {"xclock", "c"}); // heard of, but not the answer now
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(source.Foreground().ExeName, "gedit");
    desktop.SetAvailable(false);
    EXPECT_EQ(source.Foreground().ExeName, "xclock");
    EXPECT_EQ(changes, 4);
}

} // namespace
} // namespace zanpel::test
