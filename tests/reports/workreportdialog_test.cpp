// The report dialog: what it starts with, which controls each choice
// enables, the browse button, and what it stores.
#include "controls/editbutton.h"
#include "reports/workreportdialog.h"
#include "settings/initparam.h"
#include "support/fakereportdialogs.h"
#include "support/testsupport.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

DayNumber July(int day) {
    return EncodeDate(2005, 7, day);
}

class ReportDialog : public ::testing::Test {
protected:
    ReportDialog() : dlg(dialogs) {
        dates.BegDays = {July(1), July(3), July(10)};
        dates.EndDays = {July(10), July(3), July(1)};
        dates.CurrentDay = July(10);
        dates.DayChoice = Sjis("1日(07/10)");
        dates.WeekChoice = "07/03 - 07/10";
    }
    template <typename T> T* Get(const char* name) { return dlg.findChild<T*>(name); }
    bool Enabled(const char* name) { return Get<QWidget>(name)->isEnabled(); }

    FakeReportDialogs dialogs;
    TWorkReport dlg;
    TReportDates dates;
    TInitParam settings;
};

TEST_F(ReportDialog, StartsFromTheSettingsWithTheFileDestination) {
    settings.ReportFile = Sjis("月報.txt");
    settings.ReportFlags = ReportCategoryList | ReportSubtotal;
    settings.ReportPeriod = rpRange;
    settings.CloseAfterReport = true;
    dlg.Prepare(dates, settings);
    EXPECT_EQ(Get<TEditButton>("FileEdit")->Text(), QStringLiteral("月報.txt"));
    EXPECT_TRUE(Get<QRadioButton>("DestFile")->isChecked());
    EXPECT_FALSE(Get<QCheckBox>("MemoCheck")->isChecked());
    EXPECT_TRUE(Get<QCheckBox>("WorkDetail")->isChecked());
    EXPECT_TRUE(Get<QCheckBox>("SubTotal")->isChecked());
    EXPECT_TRUE(Get<QCheckBox>("CloseCheck")->isChecked());
    EXPECT_TRUE(Get<QRadioButton>("TermRange")->isChecked());
    EXPECT_EQ(Get<QRadioButton>("TermDay")->text(), QStringLiteral("1日(07/10)"));
    EXPECT_EQ(Get<QRadioButton>("TermWeek")->text(), QStringLiteral("07/03 - 07/10"));
    EXPECT_EQ(Get<QComboBox>("BegDate")->currentText(), QStringLiteral("07/01"));
    EXPECT_EQ(Get<QComboBox>("EndDate")->currentText(), QStringLiteral("07/10"));
    Get<QComboBox>("BegDate")->setCurrentIndex(1);
    const TReportChoice choice = dlg.Choice();
    EXPECT_EQ(choice.Period, rpRange);
    EXPECT_EQ(choice.Begin, July(3));
    EXPECT_EQ(choice.End, July(10));
    EXPECT_EQ(choice.Current, July(10));
}

TEST_F(ReportDialog, EachChoiceEnablesWhatBelongsToIt) {
    dlg.Prepare(dates, settings);
    for (const char* name : {"BegDate", "EndDate", "BegText", "EndText"})
        EXPECT_FALSE(Enabled(name)) << name;
    EXPECT_FALSE(Enabled("DetailMemo"));
    EXPECT_TRUE(Get<TEditButton>("FileEdit")->Edit()->isEnabled());

    Get<QRadioButton>("TermRange")->setChecked(true);
    Get<QCheckBox>("WorkDetail")->setChecked(true);
    Get<QRadioButton>("DestClipboard")->setChecked(true);
    for (const char* name : {"BegDate", "EndDate", "BegText", "EndText", "DetailMemo"})
        EXPECT_TRUE(Enabled(name)) << name;
    EXPECT_FALSE(Get<TEditButton>("FileEdit")->Edit()->isEnabled());
    EXPECT_FALSE(Get<TEditButton>("FileEdit")->Button()->isEnabled());
    EXPECT_TRUE(dlg.ToClipboard());
}

TEST_F(ReportDialog, OutputRefusesARangeThatEndsBeforeItBegins) {
    dlg.Prepare(dates, settings);
    Get<QRadioButton>("TermRange")->setChecked(true);
    Get<QComboBox>("BegDate")->setCurrentIndex(2); // 07/10
    Get<QComboBox>("EndDate")->setCurrentIndex(1); // 07/03
    dlg.ExecBtnClick();
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    ASSERT_EQ(dialogs.Errors.size(), 1u);
    Get<QComboBox>("EndDate")->setCurrentIndex(0); // 07/10: one day is a range
    dlg.ExecBtnClick();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dialogs.Errors.size(), 1u);
}

TEST_F(ReportDialog, AMonthWithoutDaysOffersOnlyTheWholeMonth) {
    settings.ReportPeriod = rpWeek;
    dlg.Prepare(TReportDates{}, settings);
    EXPECT_TRUE(Get<QRadioButton>("TermMonth")->isChecked());
    for (const char* name : {"TermDay", "TermWeek", "TermRange"})
        EXPECT_FALSE(Enabled(name)) << name;
    EXPECT_EQ(Get<QComboBox>("BegDate")->count(), 0);
    EXPECT_EQ(dlg.Choice().Period, rpMonth);

    TReportDates noLogin;
    noLogin.CurrentDay = July(5);
    settings.ReportPeriod = rpRange;
    dlg.Prepare(noLogin, settings);
    EXPECT_TRUE(Enabled("TermWeek"));
    EXPECT_FALSE(Enabled("TermRange"));
    EXPECT_TRUE(Get<QRadioButton>("TermMonth")->isChecked());
}

TEST_F(ReportDialog, BrowsingCopiesTheOldNameAndTakesTheChosenOne) {
    settings.ReportFile = "old.txt";
    dlg.Prepare(dates, settings);
    dialogs.SaveAnswer = QStringLiteral("/tmp/new.txt");
    Get<TEditButton>("FileEdit")->Button()->click();
    ASSERT_EQ(dialogs.SaveAsked.size(), 1u);
    EXPECT_EQ(dialogs.SaveAsked[0], QStringLiteral("old.txt"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("old.txt"));
    EXPECT_EQ(Get<TEditButton>("FileEdit")->Text(), QStringLiteral("/tmp/new.txt"));
    dialogs.SaveAnswer.reset();
    Get<TEditButton>("FileEdit")->Button()->click();
    EXPECT_EQ(Get<TEditButton>("FileEdit")->Text(), QStringLiteral("/tmp/new.txt"));
}

TEST_F(ReportDialog, StoresTheTrimmedNameTheFlagsThePeriodAndTheCloseOption) {
    settings.ReportFlags = 0xFFFF;
    dlg.Prepare(dates, settings);
    Get<TEditButton>("FileEdit")->SetText(QStringLiteral("\t report.txt  "));
    Get<QCheckBox>("MemoCheck")->setChecked(false);
    Get<QRadioButton>("TermWeek")->setChecked(true);
    dlg.StoreChoices(settings);
    EXPECT_EQ(settings.ReportFile, "report.txt");
    EXPECT_EQ(settings.ReportFlags,
              ReportCategoryList | ReportWorkMemo | ReportSubtotal | ReportByDate);
    EXPECT_EQ(settings.ReportPeriod, rpWeek);
    EXPECT_FALSE(settings.CloseAfterReport);
}

} // namespace
} // namespace zanpel::test
