// The settings object: its keys, defaults and encodings, and the file it saves.
#include "records/atomicfile.h"
#include "records/errorreporter.h"
#include "settings/initfile.h"
#include "settings/initparam.h"
#include "support/diskfullwriter.h"
#include "support/testsupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

std::string Lines(std::initializer_list<std::string> lines) {
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

TInitParam FromText(std::string_view text) {
    TInitFile file;
    file.SetText(text);
    TInitParam param;
    param.ReadFrom(file);
    return param;
}

// What a save makes of text, without touching a file.
std::string Saved(std::string_view text, const TInitParam& param) {
    TInitFile file;
    file.SetText(text);
    param.WriteTo(file);
    file.Sort();
    return file.Text();
}

std::string Saved(std::string_view text) {
    return Saved(text, FromText(text));
}

class InitParam : public ::testing::Test {
protected:
    std::string Path() const { return dir.File("zanpel.ini"); }
    TempDir dir;
    CollectingErrorReporter reporter;
};

TEST_F(InitParam, SavingAFileWithOneKeyWritesEveryKeyInAlphabeticalOrder) {
    TInitParam p;
    ASSERT_TRUE(p.Load(Path(), reporter)); // a missing file is no error
    EXPECT_FALSE(FileExists(Path()));      // and loading does not create it
    EXPECT_EQ(p.WorkDayEnd, 1020);
    EXPECT_EQ(p.AutoSaveMinutes, 5);
    EXPECT_EQ(p.AwayMinutes, 10);

    WriteFile(Path(), "APPSWITCH=1\r\n");
    ASSERT_TRUE(p.Load(Path(), reporter));
    EXPECT_TRUE(p.AppSwitchMode);
    ASSERT_TRUE(p.Save(reporter));
    EXPECT_EQ(ReadFile(Path()),
              Lines({"APPSWITCH=1",   "AUTOHIDE=1",          "AUTOSAVE=5",          "AUTOSWITCH=1",
                     "AWAYTIME=10",   "BASEWORK=7.0 H",      "MANUALSWOFF=0",       "MERGETIME=1",
                     "NOCOUNT=1",     "ONMEMOEDIT=0",        "OVERCALC=0",          "PERIOD=0",
                     "REPORTCLOSE=0", "SAVEWINPOS=1",        "STARTKIND=0",         "STARTSELECT=1",
                     "SYNCSYSLOG=0",  "TEXTOUT=0",           "WINALIGN=0,0,90,190", "WINSIZE=165",
                     "WORKCONT=1",    "WORKOFDAY=9:00,17:00"}));
    EXPECT_TRUE(reporter.Messages.empty());
}

TEST_F(InitParam, AFileOfOurOwnComesBackByteForByte) {
    const std::string original = ReadFile(DataFile("settings-full.ini"));
    WriteFile(Path(), original);
    TInitParam p;
    ASSERT_TRUE(p.Load(Path(), reporter));
    EXPECT_EQ(p.BarAlign, 3);
    EXPECT_TRUE(p.AppListVisible);
    EXPECT_EQ(p.AppListWidth, 120);
    EXPECT_EQ(p.AppListHeight, 200);
    EXPECT_EQ(p.BarSize, 180);
    EXPECT_EQ(p.SelectedWork, Sjis("会議"));
    EXPECT_EQ(p.ReportFile, Sjis("C:\\Documents and Settings\\表示\\作業報告.txt"));
    EXPECT_EQ(p.RestTimes, "720:780,900:910");
    EXPECT_EQ(p.ReportFlags, 21);
    EXPECT_EQ(p.BaseWork, "7.5 H");
    EXPECT_EQ(p.WorkDayBegin, 510);
    EXPECT_EQ(p.WorkDayEnd, 1080);
    EXPECT_EQ(p.AutoSaveMinutes, 10);
    EXPECT_EQ(p.AwayMinutes, 15);
    EXPECT_TRUE(p.MemoOnStart && p.ManualSwitchOff && p.CloseAfterReport && p.SyncSysLog);
    EXPECT_FALSE(p.SaveWindowPos || p.StartWithLast || p.AutoRestSwitch || p.AutoHide ||
                 p.ContinueCategory);
    ASSERT_TRUE(p.Save(reporter));
    EXPECT_EQ(ReadFile(Path()), original);
}

TEST_F(InitParam, AHandEditedFileKeepsForeignLinesAndReadsBadValuesAsDefaults) {
    const TInitParam p = FromText(ReadFile(DataFile("settings-messy.ini")));
    EXPECT_EQ(p.WorkDayBegin, 510);          // workofday in lower case
    EXPECT_EQ(p.BarSize, 165);               // WINSIZE=abc
    EXPECT_FALSE(p.MemoOnStart);             // yes
    EXPECT_FALSE(p.StartWithLast);           // 01
    EXPECT_EQ(p.SelectedWork, Sjis("会議")); // the first of two lines
    EXPECT_EQ(p.BarAlign, 0);                // three items: all four are 0
    EXPECT_EQ(p.AppListHeight, 0);
    EXPECT_EQ(p.ReportFlags, 21);   // 65557 holds 16 bits
    EXPECT_EQ(p.MergeSeconds, 1);   // 12abc
    EXPECT_EQ(p.NoCountSeconds, 1); // " 3"
    EXPECT_TRUE(p.AppSwitchMode);   // last line, no line end
    EXPECT_EQ(Saved(ReadFile(DataFile("settings-messy.ini"))), Lines({"",
                                                                      Sjis("; 手で書いたメモ"),
                                                                      "APPSWITCH=1",
                                                                      "AUTOHIDE=1",
                                                                      "AUTOSAVE=5",
                                                                      "AUTOSWITCH=1",
                                                                      "AWAYTIME=10",
                                                                      "BASEWORK=7.0 H",
                                                                      "MANUALSWOFF=0",
                                                                      "Memo=keep me",
                                                                      "MERGETIME=1",
                                                                      "NOCOUNT=1",
                                                                      "ONMEMOEDIT=0",
                                                                      "OVERCALC=0",
                                                                      "PERIOD=0",
                                                                      "REPORTCLOSE=0",
                                                                      "SAVEWINPOS=1",
                                                                      Sjis("SELECTED=会議"),
                                                                      Sjis("selected=ある項目"),
                                                                      "STARTKIND=0",
                                                                      "STARTSELECT=0",
                                                                      "SYNCSYSLOG=0",
                                                                      "TEXTOUT=21",
                                                                      "WINALIGN=0,0,0,0",
                                                                      "WINSIZE=165",
                                                                      "WORKCONT=1",
                                                                      "WORKOFDAY=8:30,18:00"}));
}

TEST(WorkDay, TimesAreHoursAndMinutesAndWrittenAsHMm) {
    struct Case {
        const char* Value;
        int Begin;
        int End;
        const char* Written;
    };
    for (const Case& c : {
             Case{"8:30,18:00", 510, 1080, "8:30,18:00"},
             Case{"8,18", 0, 0, "0:00,0:00"},              // a bare hour is no time
             Case{"9:30:15,17:00", 0, 1020, "0:00,17:00"}, // nor are three numbers
             Case{"9:30:00,17:5", 570, 1025, "9:30,17:05"},
             Case{"9:75,24:00", 615, 1440, "10:15,24:00"}, Case{"9:", 540, 0, "9:00,0:00"},
             Case{"", 0, 0, "0:00,0:00"}, Case{" 7:00   16:45 ", 420, 1005, "7:00,16:45"},
             Case{"9h00,99999999:00", 0, 0, "0:00,0:00"}, // past the field's range
         }) {
        const TInitParam p = FromText(std::string("WORKOFDAY=") + c.Value);
        EXPECT_EQ(p.WorkDayBegin, c.Begin) << c.Value;
        EXPECT_EQ(p.WorkDayEnd, c.End) << c.Value;
        TInitFile saved;
        saved.SetText(Saved(std::string("WORKOFDAY=") + c.Value));
        EXPECT_EQ(saved.ReadText("WORKOFDAY", ""), c.Written) << c.Value;
    }
}

TEST(WorkDay, AListThatEndsBeforeItsSecondItemGivesAnEndOfZero) {
    // A quote that is never closed ends a comma list: the commas appended
    // before splitting are not seen. A zero byte is a byte of its item.
    const TInitParam zero = FromText(std::string("WORKOFDAY=8:30\0,17:00", 21));
    EXPECT_EQ(zero.WorkDayBegin, 510);
    EXPECT_EQ(zero.WorkDayEnd, 1020);
    const TInitParam quote = FromText("WORKOFDAY=\"8:30,17:00");
    EXPECT_EQ(quote.WorkDayBegin, 510);
    EXPECT_EQ(quote.WorkDayEnd, 0);
}

TEST(WindowAlign, FourIntegersOrZerosOrTheDefault) {
    struct Case {
        const char* Value;
        int Align, Visible, Width, Height;
    };
    for (const Case& c : {
             Case{"3,1,120", 0, 0, 0, 0},
             Case{"4,0,0,0,0", 0, 0, 0, 0},
             Case{"", 0, 0, 0, 0},
             Case{"2,7,300,-1", 2, 1, 300, -1},
             Case{"1 1  200 ,100", 1, 1, 200, 100}, // blanks separate items
             Case{"3,,120,200", 0, 0, 90, 190},     // an empty item is no integer
             Case{"3,yes,120,200", 0, 0, 90, 190},
         }) {
        const TInitParam p = FromText(std::string("WINALIGN=") + c.Value);
        EXPECT_EQ(p.BarAlign, c.Align) << c.Value;
        EXPECT_EQ(p.AppListVisible, c.Visible != 0) << c.Value;
        EXPECT_EQ(p.AppListWidth, c.Width) << c.Value;
        EXPECT_EQ(p.AppListHeight, c.Height) << c.Value;
    }
    TInitFile saved;
    saved.SetText(Saved("WINALIGN=2,7,300,-1"));
    EXPECT_EQ(saved.ReadText("WINALIGN", ""), "2,1,300,-1");
}

TEST(ReportFlags, HoldSixteenBits) {
    EXPECT_EQ(FromText("TEXTOUT=65557").ReportFlags, 21);
    TInitParam p = FromText("TEXTOUT=-1");
    EXPECT_EQ(p.ReportFlags, 0xFFFF);
    EXPECT_THAT(Saved("TEXTOUT=-1"), ::testing::HasSubstr("\r\nTEXTOUT=65535\r\n"));
    EXPECT_EQ(FromText("TEXTOUT=4294967296").ReportFlags, 0); // no 32-bit integer

    p.ReportFlags = 0;
    p.SetReportFlag(ReportWorkMemo | ReportByDate, true);
    EXPECT_EQ(p.ReportFlags, 20);
    EXPECT_TRUE(p.HasReportFlag(ReportByDate));
    EXPECT_TRUE(p.HasReportFlag(ReportStandardMemo | ReportWorkMemo));
    EXPECT_FALSE(p.HasReportFlag(ReportSubtotal));
    p.SetReportFlag(ReportByDate, false);
    p.SetReportFlag(ReportSubtotal, false);
    EXPECT_EQ(p.ReportFlags, ReportWorkMemo);
}

TEST(Texts, EmptyTextsAreNotWrittenAndReadBackEmptyOrAsTheirDefault) {
    TInitParam p = FromText(Lines({"RESTTIME=720:780", "REPORT=a.txt", "BASEWORK=8 H"}));
    p.RestTimes.clear();
    p.ReportFile.clear();
    p.BaseWork.clear();
    const std::string saved = Saved(Lines({"RESTTIME=720:780", "REPORT=a.txt", "BASEWORK=8 H"}), p);
    for (const char* key : {"RESTTIME", "REPORT=", "SELECTED", "BASEWORK"})
        EXPECT_EQ(saved.find(key), std::string::npos) << key;
    const TInitParam back = FromText(saved);
    EXPECT_EQ(back.RestTimes, "");
    EXPECT_EQ(back.ReportFile, "");
    EXPECT_EQ(back.BaseWork, "7.0 H");
}

TEST(Texts, EveryFieldSurvivesASaveAndALoad) {
    TInitParam p = FromText("");
    p.BarAlign = 2;
    p.AppListVisible = true;
    p.AppListWidth = 11;
    p.AppListHeight = 12;
    p.BarSize = 13;
    p.SelectedWork = Sjis("作業 A");
    p.MemoOnStart = true;
    p.SaveWindowPos = false;
    p.StartWithLast = false;
    p.RestTimes = "0:10";
    p.AutoRestSwitch = false;
    p.StartKind = -14;
    p.ReportFlags = 0x8001;
    p.ReportPeriod = 3;
    p.ReportFile = Sjis("/tmp/報告 1.txt");
    p.ContinueCategory = false;
    p.BaseWork = "x";
    p.WorkDayBegin = 1;
    p.WorkDayEnd = 2000;
    p.OvertimeCalc = 1;
    p.AutoHide = false;
    p.AppSwitchMode = true;
    p.ManualSwitchOff = true;
    p.MergeSeconds = 15;
    p.NoCountSeconds = 16;
    p.CloseAfterReport = true;
    p.SyncSysLog = true;
    p.AutoSaveMinutes = 0;
    p.AwayMinutes = 0;
    const TInitParam back = FromText(Saved("", p));
    std::vector<std::string> before, after;
    for (const SettingEntry& e : p.Entries())
        before.push_back(std::string(e.Key) + "=" + e.Value);
    for (const SettingEntry& e : back.Entries())
        after.push_back(std::string(e.Key) + "=" + e.Value);
    EXPECT_EQ(after, before);
    EXPECT_EQ(back.AutoSaveMinutes, 0);
    EXPECT_EQ(back.AwayMinutes, 0);
    EXPECT_EQ(back.ReportFlags, 0x8001);
}

TEST_F(InitParam, AFailedWriteIsReportedAndLeavesTheFileAsItWas) {
    WriteFile(Path(), "APPSWITCH=1\r\n");
    TInitParam p;
    ASSERT_TRUE(p.Load(Path(), reporter));
    p.BarSize = 300;
    DiskFullWriter diskFull;
    diskFull.Room = 64; // the disk fills up part-way through the file
    EXPECT_FALSE(p.Save(reporter, &diskFull));
    ASSERT_EQ(reporter.Messages.size(), 1u);
    EXPECT_THAT(reporter.Messages[0], StartsWith(std::string(SettingsWriteErrorText) + "\r\n"));
    EXPECT_THAT(reporter.Messages[0], HasSubstr(std::strerror(ENOSPC)));
    EXPECT_EQ(ReadFile(Path()), "APPSWITCH=1\r\n");
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);

    EXPECT_TRUE(p.Save(reporter));
    EXPECT_EQ(FromText(ReadFile(Path())).BarSize, 300);
}

TEST_F(InitParam, AFileThatCannotBeReadGivesDefaultsAndIsNotReplaced) {
    std::filesystem::create_directory(Path());
    TInitParam p;
    EXPECT_FALSE(p.Load(Path(), reporter));
    EXPECT_EQ(p.BarSize, 165);
    ASSERT_EQ(reporter.Messages.size(), 1u);
    EXPECT_THAT(reporter.Messages[0], StartsWith(std::string(SettingsReadErrorText) + "\r\n"));
    EXPECT_FALSE(p.Save(reporter));
    ASSERT_EQ(reporter.Messages.size(), 2u);
    EXPECT_THAT(reporter.Messages[1], StartsWith(std::string(SettingsWriteErrorText) + "\r\n"));
    EXPECT_TRUE(std::filesystem::is_directory(Path()));
}

TEST_F(InitParam, WithoutALoadThereIsNothingToSave) {
    const TInitParam p;
    EXPECT_EQ(p.BarSize, 0); // every field is zero before the file is read
    EXPECT_TRUE(p.Save(reporter));
    EXPECT_TRUE(reporter.Messages.empty());
}

TEST(RestTimes, SplitIntoStartAndEndMinutesInListOrder) {
    EXPECT_THAT(SplitRestTimes("720:780,900:910"),
                ElementsAre(RestPeriod{720, 780}, RestPeriod{900, 910}));
    EXPECT_THAT(SplitRestTimes("900:910 720"),
                ElementsAre(RestPeriod{900, 910}, RestPeriod{720, 0}));
    EXPECT_THAT(SplitRestTimes("-5:-1x,abc:60,,"),
                ElementsAre(RestPeriod{-5, -1}, RestPeriod{0, 60}, RestPeriod{0, 0}));
    EXPECT_THAT(SplitRestTimes("12:00:13"), ElementsAre(RestPeriod{12, 0}));
    EXPECT_TRUE(SplitRestTimes("").empty());
}

} // namespace
} // namespace zanpel::test
