// zanpelctl why: the bar's switch log as it prints it.
#include "app/switchlogfile.h"
#include "app/switchlogline.h"
#include "support/zanpelctl.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace zanpel::test {
namespace {

using ::testing::HasSubstr;

class Why : public ZanpelctlTest {
protected:
    std::string StateFile(const char* name) const {
        return runtime.Path() + "/state/zanpel/" + name;
    }
    // Lines of numbered rule switches from first to last, with a broken one.
    void WriteLog(const char* name, int first, int last) const {
        std::filesystem::create_directories(runtime.Path() + "/state/zanpel");
        std::string text;
        for (int n = first; n <= last; ++n) {
            const TSwitchEntry entry{EncodeDate(2026, 12, 8),
                                     9 * 3600 + n,
                                     TSwitchCause::Rule,
                                     Sjis("設計"),
                                     0,
                                     "editor:",
                                     "editor",
                                     "t" + std::to_string(n)};
            text += FormatSwitchLine(entry) + "\n";
            if (n == first)
                text += "2026-12-08 09:00:00\trule\tbroken\n";
        }
        WriteFile(StateFile(name), text);
    }
    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
             start = end + 1)
            lines.push_back(text.substr(start, end - start));
        return lines;
    }
};

TEST_F(Why, PrintsTheLastSwitchesNewestLastAcrossTheFileBefore) {
    WriteLog(PreviousSwitchLogFileName, 1, 10);
    WriteLog(SwitchLogFileName, 11, 35);
    const ProcessResult shown = Run({"why"});
    ASSERT_EQ(shown.ExitCode, 0) << shown.Err;
    std::vector<std::string> lines = Lines(shown.Out);
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines.back(), "2026-12-08 09:00:35\t設計\t規則 1「editor:」\teditor\tt35");
    EXPECT_THAT(lines.front(), HasSubstr("\tt16"));

    lines = Lines(Run({"why", "--last", "30"}).Out);
    ASSERT_EQ(lines.size(), 30u);
    EXPECT_THAT(lines.front(), HasSubstr("\tt6"));
    EXPECT_EQ(Lines(Run({"why", "--last", "1"}).Out).size(), 1u);
}

TEST_F(Why, ATitleWithTabsAndLineEndsStaysOnItsLineAndRestPeriodsAreNamed) {
    std::filesystem::create_directories(runtime.Path() + "/state/zanpel");
    const TSwitchEntry rule{
        EncodeDate(2026, 12, 8), 9 * 3600, TSwitchCause::Rule,           Sjis("設計"), 2,
        Sjis("editor:/表*"),     "editor", Sjis("表\t計\r\n算") + "\x81"};
    const TSwitchEntry rest{EncodeDate(2026, 12, 8),
                            12 * 3600,
                            TSwitchCause::RestStart,
                            Sjis("休憩"),
                            -1,
                            "12:00-13:00",
                            "",
                            ""};
    const TSwitchEntry none{
        EncodeDate(2026, 12, 8), 13 * 3600, TSwitchCause::RestEnd, "", -1, "12:00-13:00", "", ""};
    WriteFile(StateFile(SwitchLogFileName), FormatSwitchLine(rule) + "\n" + FormatSwitchLine(rest) +
                                                "\n" + FormatSwitchLine(none) + "\n");
    const ProcessResult shown = Run({"why"});
    ASSERT_EQ(shown.ExitCode, 0) << shown.Err;
    EXPECT_EQ(shown.Out,
              "2026-12-08 09:00:00\t設計\t規則 3「editor:/表*」\teditor\t表\\t計\\r\\n算\\x81\n"
              "2026-12-08 12:00:00\t休憩\t休憩時間 12:00-13:00\t\t\n"
              "2026-12-08 13:00:00\t(なし)\t休憩時間 12:00-13:00 の終わり\t\t\n");
}

TEST_F(Why, WrongUsageAnEmptyHistoryAndNoStateFolderAreSaid) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"why", "--last", "0"},
                                                 {"why", "--last", "x"},
                                                 {"why", "extra"},
                                                 {"why", "--first", "2"}})
        EXPECT_EQ(Run(args).ExitCode, 2) << args.back();
    const ProcessResult empty = Run({"why"});
    EXPECT_EQ(empty.ExitCode, 0);
    EXPECT_EQ(empty.Out, "");
    EXPECT_THAT(empty.Err, HasSubstr("切換え履歴はありません: " + StateFile(SwitchLogFileName)));
    const ProcessResult nowhere = Run({"why"}, {{"XDG_STATE_HOME", "relative"}, {"HOME", ""}});
    EXPECT_EQ(nowhere.ExitCode, 1);
    EXPECT_THAT(nowhere.Err, HasSubstr("切換え履歴の場所がありません"));
    std::filesystem::create_directories(StateFile(SwitchLogFileName));
    const ProcessResult unreadable = Run({"why"});
    EXPECT_EQ(unreadable.ExitCode, 1);
    EXPECT_THAT(unreadable.Err, HasSubstr("切換え履歴を読込めません"));
}

} // namespace
} // namespace zanpel::test
