// What the foreground source reports, apart from the X server: exe names
// from program files and /proc, and titles from the encodings X11 clients use.
#include "support/testsupport.h"
#include "tracking/foregroundsource.h"
#include "tracking/processname.h"
#include "tracking/windowtitle.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

namespace zanpel::test {
namespace {

TEST(ExeName, IsTheLowerCaseBaseNameInCp932) {
    EXPECT_EQ(ExeNameOfPath("/usr/lib/firefox-esr/Firefox-ESR"), "firefox-esr");
    EXPECT_EQ(ExeNameOfPath("GEdit"), "gedit");
    // "ア" is 83 41 in CP932: its second byte is no letter to lower.
    EXPECT_EQ(ExeNameOfPath("/opt/ツール/アプリB.EXE"), Sjis("アプリb.exe"));
    EXPECT_EQ(ExeNameOfPath(""), "");
}

TEST(ExeName, IsCutAt260BytesBetweenCharacters) {
    EXPECT_EQ(ExeNameOfPath(std::string(300, 'a')), std::string(260, 'a'));
    EXPECT_EQ(ExeNameOfPath(std::string(259, 'a') + "ア"), std::string(259, 'a'));
    EXPECT_EQ(CutCp932(Sjis("あい"), 3), Sjis("あ"));
}

class ProcFolder : public ::testing::Test {
protected:
    void Link(int pid, const std::string& target) {
        std::filesystem::create_directories(Folder(pid));
        std::filesystem::create_symlink(target, Folder(pid) + "/exe");
    }
    void Comm(int pid, const std::string& name) {
        std::filesystem::create_directories(Folder(pid));
        WriteFile(Folder(pid) + "/comm", name + "\n");
    }
    std::string Folder(int pid) const { return proc.File(std::to_string(pid)); }
    std::string Name(uint32_t pid, uint32_t own = 1) const {
        return ExeNameOfProcess(pid, own, proc.Path());
    }
    TempDir proc;
};

TEST_F(ProcFolder, NamesTheProgramFileOrElseTheCommandName) {
    Link(100, "/usr/bin/Mousepad");
    Link(101, "/usr/bin/vim.basic (deleted)"); // replaced by an update while running
    Comm(102, "Xwayland");                     // another user's: no readable link
    Comm(103, "");
    EXPECT_EQ(Name(100), "mousepad");
    EXPECT_EQ(Name(101), "vim.basic");
    EXPECT_EQ(Name(102), "xwayland");
    EXPECT_EQ(Name(103), "");
    EXPECT_EQ(Name(104), ""); // gone
}

TEST_F(ProcFolder, NamesNoProgramForNoProcessOrThisProgram) {
    Link(100, "/usr/bin/zanpel");
    EXPECT_EQ(Name(0), "");
    EXPECT_EQ(Name(100, 100), "");
    EXPECT_EQ(Name(100, 7), "zanpel");
    // The real /proc names this test program.
    EXPECT_EQ(ExeNameOfProcess(static_cast<uint32_t>(::getpid()), 0), "tracking_test");
}

TEST(ProcessMachine, AProcessIdCountsOnlyOnThisMachine) {
    EXPECT_TRUE(SameMachine("", "desk"));
    EXPECT_TRUE(SameMachine("desk", "desk"));
    EXPECT_TRUE(SameMachine("desk.example.org", "desk"));
    EXPECT_TRUE(SameMachine("desk", "desk.example.org"));
    EXPECT_FALSE(SameMachine("desktop", "desk"));
    EXPECT_FALSE(SameMachine("far.example.org", "desk"));
}

TEST(WindowTitle, Utf8AndLatin1BecomeCp932WithQuestionMarks) {
    EXPECT_EQ(WindowTitleText(TTitleEncoding::Utf8, "無題 - メモ帳 ✓"), Sjis("無題 - メモ帳 ?"));
    EXPECT_EQ(WindowTitleText(TTitleEncoding::Latin1, "caf\xe9 \xbf \xa7"), "caf? ? " + Sjis("§"));
    EXPECT_EQ(WindowTitleText(TTitleEncoding::Utf8, "\xff\xfe"), "??");
}

TEST(WindowTitle, IsCutAt255BytesBetweenCharacters) {
    std::string many;
    for (int i = 0; i < 200; ++i)
        many += "あ";
    EXPECT_EQ(WindowTitleText(TTitleEncoding::Utf8, many).size(), 254U);
    EXPECT_EQ(WindowTitleText(TTitleEncoding::Utf8, "a" + many).size(), 255U);
}

TEST(WindowTitle, CompoundTextInTheJapaneseAndWesternSets) {
    const auto ct = [](const std::string& bytes) {
        return WindowTitleText(TTitleEncoding::CompoundText, bytes);
    };
    // JIS X 0208 in the right half (as Xlib writes it) and in the left half.
    EXPECT_EQ(ct("\x1b$)B\xa5\xe1\xa5\xe2.txt"), Sjis("メモ.txt"));
    EXPECT_EQ(ct("\x1b$(B\x25\x61\x1b(Bx"), Sjis("メx"));
    // Half-width katakana of JIS X 0201, Latin-1, a UTF-8 segment.
    EXPECT_EQ(ct("\x1b)I\xb1\x1b-A\xe9"), "\xb1?");
    EXPECT_EQ(ct("a\x1b%G日本✓\x1b%@b"), Sjis("a日本?b"));
    // Sets CP932 lacks, a cut character, an unassigned row, controls.
    EXPECT_EQ(ct("\x1b$)A\xb0\xa1z"), "?z");
    EXPECT_EQ(ct("\x1b$)B\xa4"), "?");
    EXPECT_EQ(ct("\x1b$)B\xf9\xa1"), "?");
    EXPECT_EQ(ct(std::string("a\x9b") + "1]b\x01" + "c"), "abc");
    EXPECT_EQ(ct("\x1b%/1\x80\x83xyzq"), "?q");
}

TEST(WaylandWindow, TheAppIdStandsForTheProgram) {
    EXPECT_EQ(AppOfToplevel("org.gnome.Nautilus", "ホーム"),
              (TForegroundApp{"org.gnome.nautilus", Sjis("ホーム")}));
    // Titles as X11 titles are: "?" for what CP932 lacks, cut between
    // characters at 255 bytes; app_ids as exe names.
    EXPECT_EQ(AppOfToplevel("foot", "議事録 ①😀").Title, Sjis("議事録 ①?"));
    const TForegroundApp longOne =
        AppOfToplevel(std::string(300, 'F'), std::string(127, 'a') + "ああ");
    EXPECT_EQ(longOne.ExeName, std::string(260, 'f'));
    EXPECT_EQ(longOne.Title, std::string(127, 'a') + Sjis("ああ"));
    EXPECT_EQ(AppOfToplevel("foot", std::string(254, 'a') + "あ").Title, std::string(254, 'a'));
    // A window without an app_id names no program, whatever its title.
    EXPECT_EQ(AppOfToplevel("", "無題"), TForegroundApp{});
}

TEST(ForegroundCoverage, FollowsTheSourcesTheSessionOffers) {
    EXPECT_EQ(CoverageOf(true, false, false), TForegroundCoverage::X11);
    EXPECT_EQ(CoverageOf(true, false, true), TForegroundCoverage::XWaylandOnly);
    EXPECT_EQ(CoverageOf(true, true, true), TForegroundCoverage::X11AndWayland);
    EXPECT_EQ(CoverageOf(false, true, true), TForegroundCoverage::Wayland);
    EXPECT_EQ(CoverageOf(false, false, true), TForegroundCoverage::None);
    EXPECT_EQ(CoverageOf(false, false, false), TForegroundCoverage::None);
}

} // namespace
} // namespace zanpel::test
