// The real bar on an X server of the test's own, with its dialogs open while
// time goes on: the summary's log sync after the month ended under it, and
// the record editor confirmed after an application rule started its item
// again. The month file comes out right and zanpelctl check finds nothing.
#include "support/journalfile.h"
#include "support/process.h"
#include "support/testsupport.h"
#include "support/x11/xservertest.h"
#include "support/zanpel.h"
#include "support/zanpelctl.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <sstream>

namespace zanpel::test {
namespace {

using ::testing::HasSubstr;

class RecordsOnX11 : public XServerTest {
protected:
    RecordsOnX11() : XServerTest({"xdotool"}) {}
    void SetUp() override {
        XServerTest::SetUp();
        if (!ServerStarted())
            return;
        ASSERT_TRUE(server->StartWindowManager());
    }
    std::map<std::string, std::string> Env() const {
        std::map<std::string, std::string> env = BarEnvironment(data.Path(), runtime.Path());
        env.merge(server->ClientEnv());
        env.insert({{"QT_QPA_PLATFORM", "xcb"},
                    {"ZANPEL_TEST_CLOCK_FILE", data.File("now")},
                    {"ZANPEL_JOURNAL_DIRECTORY", journal},
                    {"TZ", "UTC"}});
        return env;
    }
    void SetClock(const std::string& text) { WriteFile(data.File("now"), text + "\n"); }
    void StartBar() {
        bar = StartZanpel(Env());
        ASSERT_TRUE(Traced("started"));
        probe = std::make_unique<XProbe>(server->Display());
        // The one window the window manager manages at the start.
        ASSERT_TRUE(WaitFor([&] { return !probe->ClientList().empty(); }, 10000));
        barWindow = probe->ClientList().front();
    }
    std::string Trace() const { return ReadFile(data.File("trace")); }
    ::testing::AssertionResult Traced(const std::string& line, int times = 1) const {
        if (WaitFor([&] { return CountOf(Trace(), line) >= times; }, 15000))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "no \"" << line << "\" in the trace:\n" << Trace();
    }
    // The x,y after the last "what at " of the trace.
    std::pair<int, int> TracedPlace(const std::string& what) const {
        const std::string trace = Trace();
        const size_t at = trace.rfind(what + " at ");
        std::istringstream place(at == std::string::npos ? "" : trace.substr(at + what.size() + 4));
        int x = -1;
        int y = -1;
        char comma = 0;
        place >> x >> comma >> y;
        return {x, y};
    }
    ProcessResult XDoTool(std::vector<std::string> args) const {
        args.insert(args.begin(), FindProgram("xdotool"));
        return RunProcess(args, {{"DISPLAY", server->Display()}});
    }
    // The newest window whose title contains title, or "" when there is none.
    std::string Newest(const std::string& title) const {
        const ProcessResult found = XDoTool({"search", "--name", title});
        std::istringstream lines(found.Out);
        std::string id;
        for (std::string line; std::getline(lines, line);)
            if (!line.empty())
                id = line;
        return id;
    }
    // Waits for the window titled title and gives it the keyboard.
    uint32_t Focus(const std::string& title) {
        std::string id;
        EXPECT_TRUE(WaitFor([&] { return !(id = Newest(title)).empty(); }, 15000))
            << "no window " << title << "\n"
            << Trace();
        const uint32_t window = id.empty() ? 0 : static_cast<uint32_t>(std::stoul(id));
        if (window != 0) {
            EXPECT_TRUE(ActivateWithXdotool(server->Display(), *probe, window));
        }
        return window;
    }
    void Click(uint32_t window, std::pair<int, int> at) {
        XDoTool({"mousemove", "--window", std::to_string(window), std::to_string(at.first),
                 std::to_string(at.second), "click", "1"});
    }
    // Answers the box that came over window with key ("alt+y" for Yes,
    // "Return" for OK) and waits until it has gone.
    void Answer(uint32_t window, const char* key) {
        ASSERT_TRUE(WaitFor([&] { return probe->ActiveWindow() != window; }, 10000))
            << "no box came";
        const uint32_t box = probe->ActiveWindow();
        XDoTool({"key", key});
        ASSERT_TRUE(WaitFor([&] { return probe->ActiveWindow() != box; }, 10000))
            << "the box stayed";
    }
    void AnswerYes(uint32_t window) { Answer(window, "alt+y"); }
    // Opens the summary from the bar, with a journal so that it offers the sync.
    uint32_t OpenSummary() {
        std::filesystem::create_directories(journal);
        EXPECT_EQ(WriteJournal(journal + "/test.journal", {UtcMicroseconds(2005, 3, 1, 8, 0, 0)}),
                  "");
        EXPECT_TRUE(ActivateWithXdotool(server->Display(), *probe, barWindow));
        XDoTool({"key", "--clearmodifiers", "ctrl+r"});
        EXPECT_TRUE(Traced("summary ImportBtn at"));
        return Focus("月度集計");
    }
    void HandOver(const std::string& item) {
        ASSERT_EQ(RunProcess(ZanpelCommand({item}), Env()).ExitCode, 0);
        ASSERT_TRUE(Traced("handover item " + item));
    }
    void EndBar() {
        bar->Signal(SIGTERM);
        ASSERT_EQ(bar->Wait(20000), 0);
    }
    void ExpectCheckIsClean() {
        const ProcessResult check = RunZanpelctl({"check"}, Env());
        EXPECT_EQ(check.ExitCode, 0) << check.Out << check.Err;
    }
    static void Pause(double seconds) { ::usleep(static_cast<useconds_t>(seconds * 1e6)); }

    TempDir data;
    TempDir runtime;
    std::string journal = data.File("journal");
    std::unique_ptr<XProbe> probe;
    std::unique_ptr<BackgroundProcess> bar;
    uint32_t barWindow = 0;
};

TEST_F(RecordsOnX11, TheSummarysSyncAfterTheMonthEndedKeepsWhatTheBarSaved) {
    if (JournalRemoteTool().empty())
        GTEST_SKIP() << "systemd-journal-remote is not installed";
    WriteFile(data.File("zanpel.wk2"), Sjis("@設計,,\r\n@会議,,\r\n@休憩,,\r\n"));
    WriteFile(data.File("zanpel.ini"), "AUTOHIDE=0\r\nWINALIGN=4,0,0,0\r\nSTARTSELECT=0\r\n");
    SetClock("2005-03-31 21:00:00");
    StartBar();
    HandOver("設計");
    SetClock("2005-03-31 22:00:00");
    Pause(1.5);
    const uint32_t summary = OpenSummary(); // on March as saved now
    SetClock("2005-03-31 23:59:58");
    Pause(3); // the bar passes into April, saving March up to midnight
    SetClock("2005-04-01 00:05:00");
    Click(summary, TracedPlace("summary ImportBtn"));
    AnswerYes(summary); // "よろしいですか？"
    XDoTool({"key", "Escape"});
    ASSERT_TRUE(WaitFor([&] { return Newest("月度集計").empty(); }, 10000));
    EndBar();
    EXPECT_THAT(ReadFile(data.File("200503.dat")),
                HasSubstr("2005/03/31," + Sjis("設計") + ",,\"21:00:00,00:00:00,,\"\r\n"));
    ExpectCheckIsClean();
}

TEST_F(RecordsOnX11, RestsOfASyncLetGoAreNotSavedByTheNextSync) {
    if (JournalRemoteTool().empty())
        GTEST_SKIP() << "systemd-journal-remote is not installed";
    WriteFile(data.File("zanpel.ini"),
              "AUTOHIDE=0\r\nWINALIGN=4,0,0,0\r\nSTARTSELECT=0\r\nRESTTIME=720:780\r\n");
    const std::string february = "2005/02/10,%LOGIN%,,\"09:00:00,18:00:00,,\"\r\n";
    WriteFile(data.File("200501.dat"), "2005/01/11,%LOGIN%,,\"09:00:00,18:00:00,,\"\r\n");
    // February can be read but not written: it lives, behind a link, in a
    // folder that nothing may be added to.
    TempDir locked;
    WriteFile(locked.File("200502.dat"), february);
    std::filesystem::create_symlink(locked.File("200502.dat"), data.File("200502.dat"));
    const auto immutable = [&](bool on) {
        return RunProcess({FindProgram("chattr"), on ? "+i" : "-i", locked.Path()}).ExitCode == 0;
    };
    if (!immutable(true))
        GTEST_SKIP() << "chattr +i is not allowed here";
    struct Unlock {
        std::function<bool(bool)> Set;
        ~Unlock() { Set(false); }
    } unlock{immutable};
    SetClock("2005-03-20 12:00:00");
    StartBar();
    const uint32_t summary = OpenSummary();
    Click(summary, TracedPlace("summary ToolButton2")); // ▲前月: February
    Pause(0.5);
    Click(summary, TracedPlace("summary ImportBtn"));
    AnswerYes(summary);
    Answer(summary, "Return");                          // "データが書込めません!"
    Click(summary, TracedPlace("summary ToolButton2")); // ▲前月 again: tried once more
    Answer(summary, "Return");
    AnswerYes(summary);                               // the changes may go
    immutable(false);                                 // the disk has room again
    Click(summary, TracedPlace("summary ImportBtn")); // January, saved
    AnswerYes(summary);
    XDoTool({"key", "Escape"});
    ASSERT_TRUE(WaitFor([&] { return Newest("月度集計").empty(); }, 10000));
    EndBar();
    EXPECT_THAT(ReadFile(data.File("200501.dat")), HasSubstr("\"12:00:00,13:00:00,"));
    EXPECT_EQ(ReadFile(locked.File("200502.dat")), february);
    ExpectCheckIsClean();
}

TEST_F(RecordsOnX11, TheRecordEditorConfirmedAfterARuleStartedItsItemKeepsBothPeriods) {
    WriteFile(data.File("zanpel.wk2"), Sjis("@設計,,@AP1,\"xclient_alpha/\",\r\n"
                                            "@会議,,@AP1,\"xclient_beta/\",\r\n@休憩,,\r\n"));
    WriteFile(data.File("zanpel.ini"), "APPSWITCH=1\r\nAUTOHIDE=0\r\nWINALIGN=4,0,0,0\r\n");
    SetClock("2005-03-10 16:10:00");
    StartBar();
    std::vector<std::unique_ptr<BackgroundProcess>> clients;
    const auto client = [&](const char* program, const char* title) {
        const std::string idFile = data.File(std::string("window-") + title);
        clients.push_back(std::make_unique<BackgroundProcess>(
            std::vector<std::string>{program, "--title", title, "--id-file", idFile},
            server->ClientEnv()));
        EXPECT_TRUE(WaitFor([&] { return !ReadFile(idFile).empty(); }, 10000));
        return static_cast<uint32_t>(std::stoul("0" + ReadFile(idFile)));
    };
    const uint32_t alpha = client(XCLIENT_ALPHA, "alpha");
    const uint32_t beta = client(XCLIENT_BETA, "beta");
    ASSERT_TRUE(ActivateWithXdotool(server->Display(), *probe, beta));
    ASSERT_TRUE(Traced("switched 会議"));
    Pause(2.5);
    const int designs = CountOf(Trace(), "switched 設計");
    ASSERT_TRUE(ActivateWithXdotool(server->Display(), *probe, alpha));
    ASSERT_TRUE(Traced("switched 設計", designs + 1));
    Pause(1.5);
    Click(barWindow, TracedPlace("edit button 会議")); // 会議's editor, while 設計 runs
    Focus("【会議】のメモ編集");
    const int meetings = CountOf(Trace(), "switched 会議");
    ASSERT_TRUE(ActivateWithXdotool(server->Display(), *probe, beta)); // the rule starts 会議 again
    ASSERT_TRUE(Traced("switched 会議", meetings + 1));
    Pause(2.5);
    Focus("【会議】のメモ編集");
    XDoTool({"key", "alt+u"}); // 更新(&U)
    ASSERT_TRUE(WaitFor([&] { return Newest("メモ編集").empty(); }, 10000));
    Pause(1.5);
    EndBar();
    const std::string month = ReadFile(data.File("200503.dat"));
    const auto periods = [&](const std::string& name) {
        std::vector<std::pair<std::string, std::string>> out;
        const size_t line = month.find("2005/03/10," + Sjis(name) + ",");
        std::istringstream items(month.substr(line, month.find('\r', line) - line));
        for (std::string item; std::getline(items, item, '"');)
            if (item.size() > 17 && item[2] == ':')
                out.emplace_back(item.substr(0, 8), item.substr(9, 8));
        return out;
    };
    const auto meeting = periods("会議");
    const auto design = periods("設計");
    ASSERT_EQ(meeting.size(), 2u) << month;
    ASSERT_EQ(design.size(), 1u) << month;
    // 設計 lies between 会議's two periods, which hold none of its time.
    EXPECT_LE(meeting[0].second, design[0].first) << month;
    EXPECT_GE(meeting[1].first, design[0].second) << month;
    ExpectCheckIsClean();
}

TEST_F(RecordsOnX11, SettingsConfirmedInARestPeriodOfTheFirstDayKeepTheRestGoingAndBack) {
    // A fresh folder: no definition file; the item is made in the dialog.
    WriteFile(data.File("zanpel.ini"), "AUTOHIDE=0\r\nWINALIGN=4,0,0,0\r\nRESTTIME=600:610\r\n");
    SetClock("2005-03-01 09:59:30");
    StartBar();
    const auto settings = [&](const std::string& item) {
        ASSERT_TRUE(ActivateWithXdotool(server->Display(), *probe, barWindow));
        XDoTool({"key", "--clearmodifiers", "ctrl+s"});
        Focus("オプション設定");
        if (!item.empty()) { // page "作業項目", its name field, "← 更新(&A)"
            XDoTool({"key", "Tab", "ctrl+Tab", "Tab", "Tab"});
            XDoTool({"type", item});
            XDoTool({"key", "alt+a"});
        }
        XDoTool({"key", "alt+u"}); // 更新(&U)
        ASSERT_TRUE(WaitFor([&] { return Newest("オプション設定").empty(); }, 10000));
    };
    settings("impl");
    HandOver("impl");
    SetClock("2005-03-01 09:59:58");
    Pause(3); // 休憩 runs
    settings("");
    SetClock("2005-03-01 10:09:58");
    Pause(5.5); // the rest period ends and impl comes back
    EndBar();
    const std::string month = ReadFile(data.File("200503.dat"));
    EXPECT_THAT(month, HasSubstr("\"10:00:00,10:10:00," + Sjis("休憩") + ",\"")) << month;
    EXPECT_THAT(month, HasSubstr("2005/03/01,impl,,\"09:59:")) << month;
    EXPECT_THAT(month, HasSubstr(",\"10:10:00,10:10:0")) << month;
    ExpectCheckIsClean();
}

} // namespace
} // namespace zanpel::test
