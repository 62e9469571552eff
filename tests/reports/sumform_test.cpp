// The summary window on the offscreen platform: its lists after a rebuild,
// month navigation, selections, the report through the dialog to the
// clipboard and to a file, and the log sync button.
#include "controls/editbutton.h"
#include "summarywindowfixture.h"
#include "support/diskfullwriter.h"
#include "tracking/journalsource.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QToolButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

TEST_F(SummaryWindow, ShowsTheMonthDaysRecordsAndTheCurrentDaysPeriods) {
    auto form = Make();
    form->ShowMonth(EncodeDate(2005, 7, 4));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("2005年 7 月度集計"));
    QTableView* month = List(*form, "MonthList");
    ASSERT_EQ(month->model()->rowCount(), 2);
    EXPECT_THAT(Row(month, 0), ElementsAre("07/01", " 8.5", "08:50:00", "17:30:00"));
    EXPECT_THAT(Row(month, 1), ElementsAre("07/04", " 8.0", "09:00:00", "18:15:00"));
    EXPECT_EQ(form->findChild<QLabel*>("Label1")->text(),
              QStringLiteral("残業概算： 2.5 H (1日集計)"));

    QTableView* days = List(*form, "DayList");
    ASSERT_EQ(days->model()->rowCount(), 4);
    EXPECT_THAT(Row(days, 0), ElementsAre("07/04", " 8.0", "08:15", " 【作業時間】", ""));
    EXPECT_THAT(Row(days, 1), ElementsAre("", " 5.0", "05:00", "設計", "仕様の確認"));
    EXPECT_THAT(Row(days, 3), ElementsAre("", " 1.0", "01:00", "会議", ""));
    EXPECT_EQ(days->model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("メモ"));
    EXPECT_EQ(days->columnWidth(0), 50);
    EXPECT_EQ(days->model()->index(1, 4).data(Qt::ToolTipRole).toString(),
              QStringLiteral("仕様の確認"));

    EXPECT_EQ(Selected(days), 0); // the current day's computer-on record
    QTableView* periods = List(*form, "ListView");
    ASSERT_EQ(periods->model()->rowCount(), 2);
    EXPECT_THAT(Row(periods, 0), ElementsAre("(*%LOGIN%*)", "09:00:00", "18:15:00", "09:15", ""));
    EXPECT_THAT(Row(periods, 1), ElementsAre("休憩", "12:00:00", "13:00:00", "01:00", ""));
    EXPECT_TRUE(form->findChild<QToolButton*>("ImportBtn")->isHidden()); // no journal here
}

TEST_F(SummaryWindow, AMonthRowRevealsItsDayAndDeselectingEmptiesThePeriods) {
    auto form = Make();
    form->resize(667, 448);
    form->ShowMonth(EncodeDate(2005, 7, 4));
    QTableView* days = List(*form, "DayList");
    List(*form, "MonthList")->selectRow(0);
    EXPECT_EQ(Selected(days), 2);
    EXPECT_THAT(Row(List(*form, "ListView"), 0),
                ElementsAre("(*%LOGIN%*)", "08:50:00", "17:30:00", "08:40", ""));
    days->selectRow(1);
    EXPECT_EQ(List(*form, "ListView")->model()->index(1, 4).data().toString(),
              QStringLiteral("メモ"));
    days->clearSelection();
    EXPECT_EQ(List(*form, "ListView")->model()->rowCount(), 0);
}

TEST_F(SummaryWindow, MonthButtonsMoveFromTheMonthShownAndTodayReturnsTheBarsList) {
    auto form = Make();
    form->ShowMonth(EncodeDate(2005, 7, 4));
    form->findChild<QToolButton*>("ToolButton2")->click();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("2005年 6 月度集計"));
    EXPECT_EQ(List(*form, "MonthList")->model()->rowCount(), 0);
    EXPECT_EQ(form->findChild<QLabel*>("Label1")->text(),
              QStringLiteral("残業概算： 0.0 H (1日集計)"));
    form->findChild<QToolButton*>("ToolButton3")->click();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("2005年 7 月度集計"));
    EXPECT_EQ(Selected(List(*form, "DayList")), 2); // the first of the month, 07/01
    list.StartWork(Today(clock), "w");
    clock.Advance(600);
    list.UpdateRunning();
    form->findChild<QToolButton*>("ToolButton5")->click();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("2005年 8 月度集計"));
    EXPECT_THAT(Row(List(*form, "DayList"), 1), ElementsAre("", " 0.0", "00:10", "w", ""));
}

TEST_F(SummaryWindow, ReportGoesToTheClipboardWithTheChoicesStored) {
    auto form = Make();
    settings.ReportFlags = ReportByDate;
    settings.CloseAfterReport = true;
    form->ShowMonth(EncodeDate(2005, 7, 4));
    bool closed = false;
    QObject::connect(form.get(), &QDialog::finished, [&] { closed = true; });
    Report(*form, [](TWorkReport& dlg) {
        EXPECT_EQ(dlg.findChild<QRadioButton*>("TermDay")->text(), QStringLiteral("1日(07/04)"));
        dlg.findChild<QRadioButton*>("DestClipboard")->setChecked(true);
        dlg.findChild<QCheckBox*>("DaySeq")->setChecked(false);
        dlg.findChild<QRadioButton*>("TermDay")->setChecked(true);
    });
    ASSERT_EQ(dialogs.Clipboard.size(), 1u);
    EXPECT_EQ(dialogs.Clipboard[0].toStdString(),
              "【 07/04 】 【作業時間】         8.0 H (08:15:00)\n" + std::string(32, '=') +
                  "\n  ・設計                  5.0 H (05:00:00)\n" + std::string(32, '=') + "\n");
    EXPECT_EQ(settings.ReportFlags, 0);
    EXPECT_EQ(settings.ReportPeriod, 1);
    EXPECT_TRUE(closed);
    // The window closed with the report: a notice says where it went.
    EXPECT_THAT(dialogs.Notices, ElementsAre("作業レポートをクリップボードにコピーしました。"));
}

TEST_F(SummaryWindow, ReportFileIsWrittenInTheDataFolderOrTheErrorShownWithTheWindowOpen) {
    auto form = Make();
    settings.CloseAfterReport = true;
    form->ShowMonth(EncodeDate(2005, 7, 4));
    bool closed = false;
    QObject::connect(form.get(), &QDialog::finished, [&] { closed = true; });
    const QString missing = QString::fromStdString(dir.File("missing/r.txt"));
    Report(*form,
           [&](TWorkReport& dlg) { dlg.findChild<TEditButton*>("FileEdit")->SetText(missing); });
    ASSERT_EQ(dialogs.Errors.size(), 1u);
    EXPECT_THAT(dialogs.Errors[0], HasSubstr(dir.File("missing/r.txt") + ": "));
    EXPECT_FALSE(closed);

    Report(*form, [](TWorkReport& dlg) {
        dlg.findChild<TEditButton*>("FileEdit")->SetText(QStringLiteral(" report.txt "));
    });
    EXPECT_EQ(settings.ReportFile, "report.txt");
    const std::string written = ReadFile(dir.File("report.txt"));
    EXPECT_THAT(written, StartsWith(Sjis("【 07/04 】 【作業時間】         8.0 H (08:15:00)\r\n")));
    EXPECT_EQ(written.substr(written.size() - 34), std::string(32, '=') + "\r\n");
    EXPECT_TRUE(closed);
    EXPECT_THAT(dialogs.Notices,
                ElementsAre("作業レポートを書き出しました: " + dir.File("report.txt")));
}

// A report never goes over a file of the data folder, by its full name or a
// name relative to the folder: the error says why, as zanpelctl does.
TEST_F(SummaryWindow, AReportIsNeverWrittenOverAMonthFile) {
    auto form = Make();
    form->ShowMonth(EncodeDate(2005, 7, 4));
    const std::string month = ReadFile(dir.File("200507.dat"));
    for (const std::string& name : {dir.File("200507.dat"), std::string("200507.dat")}) {
        dialogs.Errors.clear();
        Report(*form, [&](TWorkReport& dlg) {
            dlg.findChild<TEditButton*>("FileEdit")->SetText(QString::fromStdString(name));
        });
        EXPECT_THAT(dialogs.Errors, ElementsAre(HasSubstr(dir.File("200507.dat") +
                                                          ": zanpel のデータフォルダのファイル")))
            << name;
        EXPECT_EQ(ReadFile(dir.File("200507.dat")), month) << name;
    }
    EXPECT_TRUE(dialogs.Notices.empty());
    EXPECT_TRUE(form->findChild<QLabel*>("ReportStatus")->text().isEmpty());
}

// The window stays: its tool bar says where the report went. A range that
// ends before it begins is refused, and no empty file is written.
TEST_F(SummaryWindow, AReportSaysWhereItWentAndAReversedRangeIsRefused) {
    auto form = Make();
    form->ShowMonth(EncodeDate(2005, 7, 4));
    const auto range = [](int from, int to) {
        return [from, to](TWorkReport& dlg) {
            dlg.findChild<QRadioButton*>("TermRange")->setChecked(true);
            auto* begin = dlg.findChild<QComboBox*>("BegDate");
            auto* end = dlg.findChild<QComboBox*>("EndDate");
            begin->setCurrentIndex(begin->findText(QString::asprintf("07/%02d", from)));
            end->setCurrentIndex(end->findText(QString::asprintf("07/%02d", to)));
            dlg.findChild<TEditButton*>("FileEdit")->SetText(QStringLiteral("range.txt"));
        };
    };
    Report(*form, range(4, 1));
    EXPECT_THAT(dialogs.Errors, ElementsAre(HasSubstr("「から」の日が「まで」の日より後")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("range.txt")));
    Report(*form, range(1, 4));
    EXPECT_TRUE(std::filesystem::exists(dir.File("range.txt")));
    EXPECT_EQ(form->findChild<QLabel*>("ReportStatus")->text().toStdString(),
              "作業レポートを書き出しました: " + dir.File("range.txt"));
    EXPECT_TRUE(dialogs.Notices.empty());
}

TEST_F(SummaryWindow, SyncIsOfferedWhereTheJournalOpensAndSavesAnotherMonth) {
    auto form = Make(0);
    ASSERT_FALSE(form->findChild<QToolButton*>("ImportBtn")->isHidden());
    form->ShowMonth(EncodeDate(2005, 7, 4));
    form->ImportBtnClick(); // answered No
    EXPECT_EQ(dialogs.Asked.size(), 1u);
    EXPECT_EQ(ReadFile(dir.File("200507.dat")).find("15:00:00,15:10:00"), std::string::npos);

    dialogs.Answer = true;
    settings.RestTimes = "720:780,900:910";
    form->findChild<QToolButton*>("ImportBtn")->click();
    // July 1 had no rests: it gets both; July 4 keeps its own.
    EXPECT_EQ(List(*form, "MonthList")->model()->index(0, 1).data().toString(),
              QStringLiteral(" 7.5"));
    EXPECT_NE(ReadFile(dir.File("200507.dat")).find("15:00:00,15:10:00"), std::string::npos);
    EXPECT_TRUE(HandedBack.empty());

    form->ShowMonth(Today(clock));
    form->ImportBtnClick();
    EXPECT_THAT(HandedBack, ElementsAre(&form->Summary().MonthData()));
}

TEST_F(SummaryWindow, AMonthWhoseSyncCouldNotBeSavedStaysUntilTheUserLetsItGo) {
    auto form = Make(0);
    DiskFullWriter disk;
    form->ShowMonth(EncodeDate(2005, 7, 4));
    form->Summary().MonthData().SetWriter(&disk);
    bool closed = false;
    QObject::connect(form.get(), &QDialog::finished, [&] { closed = true; });
    dialogs.Answer = true;
    form->ImportBtnClick();
    ASSERT_EQ(dialogs.Errors.size(), 1u);
    EXPECT_THAT(dialogs.Errors[0], StartsWith("データが書込めません!"));

    dialogs.Answer = false; // keep the changes
    form->findChild<QToolButton*>("ToolButton2")->click();
    form->CloseBtnClick();
    EXPECT_FALSE(closed);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("2005年 7 月度集計"));
    EXPECT_EQ(dialogs.Errors.size(), 3u); // each try to save said why it failed
    EXPECT_EQ(dialogs.Asked.back(), DiscardQuestion);

    dialogs.Answer = true;
    form->CloseBtnClick();
    EXPECT_TRUE(closed);
}

} // namespace
} // namespace zanpel::test
