// zanpelctl settings, run as a user would.
#include "support/zanpelctl.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace zanpel::test {
namespace {

using ::testing::HasSubstr;

class SettingsCommand : public ZanpelctlTest {
protected:
    std::string Ini() const { return data.File("zanpel.ini"); }
};

TEST_F(SettingsCommand, PrintsEverySettingInSaveOrderAndNeverWrites) {
    const std::string messy = ReadFile(DataFile("settings-messy.ini"));
    WriteFile(Ini(), messy);
    const ProcessResult r = Run({"settings"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "REPORT=\n"
                     "SELECTED=会議\n"
                     "RESTTIME=\n"
                     "WINALIGN=0,0,0,0\n"
                     "WINSIZE=165\n"
                     "ONMEMOEDIT=0\n"
                     "SAVEWINPOS=1\n"
                     "STARTSELECT=0\n"
                     "WORKCONT=1\n"
                     "AUTOSWITCH=1\n"
                     "STARTKIND=0\n"
                     "TEXTOUT=21\n"
                     "PERIOD=0\n"
                     "BASEWORK=7.0 H\n"
                     "AUTOHIDE=1\n"
                     "MANUALSWOFF=0\n"
                     "APPSWITCH=1\n"
                     "MERGETIME=1\n"
                     "NOCOUNT=1\n"
                     "REPORTCLOSE=0\n"
                     "SYNCSYSLOG=0\n"
                     "WORKOFDAY=8:30,18:00\n"
                     "OVERCALC=0\n"
                     "AUTOSAVE=5\n"
                     "AWAYTIME=10\n");
    EXPECT_EQ(ReadFile(Ini()), messy);

    WriteFile(Ini(), ReadFile(DataFile("settings-full.ini")));
    EXPECT_THAT(Run({"settings"}).Out,
                HasSubstr("REPORT=C:\\Documents and Settings\\表示\\作業報告.txt\n"));
}

TEST_F(SettingsCommand, ShowsDefaultsWithoutAFileAndRefusesArguments) {
    const ProcessResult r = Run({"settings"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_THAT(r.Out, HasSubstr("\nWINALIGN=0,0,90,190\nWINSIZE=165\n"));
    EXPECT_FALSE(std::filesystem::exists(Ini()));
    EXPECT_EQ(Run({"settings", "extra"}).ExitCode, 2);
    EXPECT_EQ(Run({"settings", "--write", "1"}).ExitCode, 2);
}

TEST_F(SettingsCommand, AnUnreadableFileIsAnError) {
    std::filesystem::create_directory(Ini());
    const ProcessResult r = Run({"settings"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_THAT(r.Err, HasSubstr("設定ファイルが読込めません!"));
    EXPECT_THAT(r.Out, HasSubstr("WINSIZE=165\n"));
}

} // namespace
} // namespace zanpel::test
