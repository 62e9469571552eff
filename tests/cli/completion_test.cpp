// The bash completion of zanpelctl, run by bash with bash-completion loaded,
// as the shell calls it when Tab is pressed.
#include "support/process.h"
#include "support/testsupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const char* const BashCompletion = "/usr/share/bash-completion/bash_completion";

class Completion : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(BashCompletion))
            GTEST_SKIP() << "bash-completion is not installed (scripts/setup installs it)";
        for (const char* name :
             {"200502.dat", "200503.dat", "200412.dat", "zanpel.ini", "2005.dat"})
            WriteFile(data.File(name), "");
    }
    // The candidates offered for the last of words (the word being typed).
    std::vector<std::string> Complete(const std::vector<std::string>& words,
                                      const std::map<std::string, std::string>& env = {}) {
        std::string script = std::string("source ") + BashCompletion + "\nsource " +
                             ZANPEL_COMPLETION_PATH + "\nCOMP_WORDS=(";
        std::string line;
        for (const std::string& word : words) {
            script += " '" + word + "'";
            line += (line.empty() ? "" : " ") + word;
        }
        script += " )\nCOMP_CWORD=" + std::to_string(words.size() - 1) + "\nCOMP_LINE='" + line +
                  "'\nCOMP_POINT=${#COMP_LINE}\n_zanpelctl zanpelctl \"${COMP_WORDS[-1]}\" "
                  "\"${COMP_WORDS[-2]}\"\nprintf '%s\\n' \"${COMPREPLY[@]}\"\n";
        std::map<std::string, std::string> all = {
            {"ZANPEL_DATA_DIR", ""}, {"XDG_DATA_HOME", ""}, {"HOME", home.Path()}};
        for (const auto& [key, value] : env)
            all[key] = value;
        const ProcessResult r = RunProcess({"/bin/bash", "--norc", "-c", script}, all);
        EXPECT_EQ(r.ExitCode, 0) << r.Err;
        std::vector<std::string> offered;
        for (size_t pos = 0, end; (end = r.Out.find('\n', pos)) != std::string::npos; pos = end + 1)
            if (end > pos)
                offered.push_back(r.Out.substr(pos, end - pos));
        return offered;
    }
    TempDir data;
    TempDir home;
};

TEST_F(Completion, CommandsAndGlobalOptions) {
    EXPECT_THAT(Complete({"zanpelctl", "s"}), ElementsAre("summary", "settings", "sync"));
    EXPECT_EQ(Complete({"zanpelctl", ""}).size(), 15u);
    EXPECT_THAT(Complete({"zanpelctl", "re"}), ElementsAre("report", "rewrite"));
    EXPECT_THAT(Complete({"zanpelctl", "--data-dir", data.Path(), "au"}), ElementsAre("autostart"));
    EXPECT_THAT(Complete({"zanpelctl", "--v"}), ElementsAre("--version"));
    EXPECT_THAT(Complete({"zanpelctl", "autostart", ""}), ElementsAre("on", "off", "status"));
    EXPECT_THAT(Complete({"zanpelctl", "autostart", "on", ""}), IsEmpty());
    EXPECT_THAT(Complete({"zanpelctl", "gnome-extension", ""}), ElementsAre("install", "status"));
}

TEST_F(Completion, MonthsComeFromTheDataFolderNewestFirst) {
    EXPECT_THAT(Complete({"zanpelctl", "--data-dir", data.Path(), "export", ""}),
                ElementsAre("200503", "200502", "200412"));
    EXPECT_THAT(Complete({"zanpelctl", "--data-dir", data.Path(), "export", "200412", "2005"}),
                ElementsAre("200503", "200502"));
    EXPECT_THAT(
        Complete({"zanpelctl", "--data-dir", data.Path(), "export", "200412", "200503", ""}),
        IsEmpty())
        << "export takes two months at most";
    EXPECT_THAT(Complete({"zanpelctl", "rewrite", "2004"}, {{"ZANPEL_DATA_DIR", data.Path()}}),
                ElementsAre("200412"));
    // Without either: the default folder under XDG_DATA_HOME.
    std::filesystem::create_directories(home.File("share/zanpel"));
    WriteFile(home.File("share/zanpel/202401.dat"), "");
    EXPECT_THAT(Complete({"zanpelctl", "sync", ""}, {{"XDG_DATA_HOME", home.File("share")}}),
                ElementsAre("202401"));
}

TEST_F(Completion, OptionsOfTheCommandAndTheirValues) {
    EXPECT_THAT(Complete({"zanpelctl", "export", "200503", "--"}), ElementsAre("--format"));
    EXPECT_THAT(Complete({"zanpelctl", "export", "200503", "--format", ""}),
                ElementsAre("csv", "json"));
    EXPECT_THAT(Complete({"zanpelctl", "journal", "--"}), ElementsAre("--file", "--directory"));
    EXPECT_THAT(Complete({"zanpelctl", "check", ""}), IsEmpty());
    EXPECT_THAT(Complete({"zanpelctl", "report", "200503", "--p"}),
                ElementsAre("--period-memos", "--period"));
    EXPECT_THAT(Complete({"zanpelctl", "report", "200503", "--by"}), ElementsAre("--by-date"));
    EXPECT_THAT(Complete({"zanpelctl", "report", "200503", "--period", "w"}), ElementsAre("week"));
    EXPECT_THAT(Complete({"zanpelctl", "why", "--"}), ElementsAre("--last"));
    EXPECT_THAT(Complete({"zanpelctl", "why", "--last", ""}), IsEmpty());
    EXPECT_THAT(
        Complete({"zanpelctl", "report", "--memo", "2005"}, {{"ZANPEL_DATA_DIR", data.Path()}}),
        ElementsAre("200503", "200502"))
        << "a switch takes no value";
}

} // namespace
} // namespace zanpel::test
