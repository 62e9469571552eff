// The summary window's chart page: a day chosen on the chart by a click or a
// key selects its records in the tables and the tables move the chart; the
// page shown last is remembered in the state folder; the chart is saved as
// PNG or SVG, and a save that fails says so and leaves nothing half-written.
#include "reports/charttips.h"
#include "reports/monthchartwidget.h"
#include "summarywindowfixture.h"
#include "support/diskfullwriter.h"

#include <QImage>
#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QXmlStreamReader>

#include <gmock/gmock.h>

#include <filesystem>

namespace zanpel::test {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class ChartPane : public SummaryWindow {
protected:
    // The window on July 2005 with its chart page shown.
    std::unique_ptr<TSumForm> Open() {
        auto form = Make();
        form->resize(667, 448);
        form->ShowMonth(July(4));
        form->ShowPane(TSummaryPane::Chart);
        form->show();
        return form;
    }
    static DayNumber July(int day) { return EncodeDate(2005, 7, day); }
    void Click(TSumForm& form, int day) {
        TMonthChartWidget& chart = form.Chart();
        const std::optional<QPoint> at = chart.DayCenter(July(day));
        ASSERT_TRUE(at.has_value());
        QTest::mouseClick(&chart, Qt::LeftButton, {}, *at);
    }
};

TEST_F(ChartPane, ADayChosenOnTheChartIsSelectedInTheTablesAndTheTablesMoveTheChart) {
    auto form = Open();
    TMonthChartWidget& chart = form->Chart();
    QTableView* days = List(*form, "DayList");
    QTableView* months = List(*form, "MonthList");
    EXPECT_EQ(chart.SelectedDay(), July(4)); // the current day's record, selected first

    Click(*form, 1);
    EXPECT_EQ(chart.SelectedDay(), July(1));
    EXPECT_EQ(Selected(months), 0);
    EXPECT_EQ(Selected(days), 2); // 07/01's computer-on record
    EXPECT_EQ(List(*form, "ListView")->model()->rowCount(), 1);

    Click(*form, 2); // a Saturday without records: nothing to show
    EXPECT_EQ(chart.SelectedDay(), July(2));
    EXPECT_EQ(Selected(days), -1);
    EXPECT_EQ(Selected(months), -1);
    EXPECT_EQ(List(*form, "ListView")->model()->rowCount(), 0);

    chart.setFocus();
    QTest::keyClick(&chart, Qt::Key_Right);
    QTest::keyClick(&chart, Qt::Key_Right);
    EXPECT_EQ(chart.SelectedDay(), July(4));
    EXPECT_EQ(Selected(days), 0);
    EXPECT_THAT(chart.accessibleDescription().toStdString(), StartsWith("7月4日(月)\n"));

    days->selectRow(2);
    EXPECT_EQ(chart.SelectedDay(), July(1));
    QTest::keyClick(&chart, Qt::Key_Left); // stays on the first of the month
    EXPECT_EQ(chart.SelectedDay(), July(1));
    EXPECT_EQ(DayTip(chart.Chart(), 3).toStdString(),
              "7月4日(月)\n設計  5:00\n作業項目の計  5:00\n作業時間(休憩を除く)  8:15\n"
              "定時  7:00\n残業  1:00");
}

// A month file may hold a line of another month (copied or edited by
// hand): the tables list it, and choosing it there chooses no day of the
// chart instead of a day beyond its end.
TEST_F(ChartPane, ARecordOfAnotherMonthChosenInTheTablesChoosesNoDay) {
    WriteFile(dir.File("200507.dat"), ReadFile(dir.File("200507.dat")) +
                                          Sjis("2005/08/02,会議,,\"10:00:00,11:00:00,,\"\r\n"));
    auto form = Open();
    TMonthChartWidget& chart = form->Chart();
    QTableView* days = List(*form, "DayList");
    int stray = -1;
    for (int row = 0; row < days->model()->rowCount(); ++row)
        if (Row(days, row)[0] == "08/02")
            stray = row;
    ASSERT_GE(stray, 0);
    days->selectRow(stray);
    EXPECT_EQ(chart.SelectedDay(), 0);
    EXPECT_EQ(chart.accessibleDescription(), QString());
    chart.setFocus();
    QTest::keyClick(&chart, Qt::Key_Right);
    EXPECT_EQ(chart.SelectedDay(), July(1));
}

TEST_F(ChartPane, ThePageShownLastIsRememberedInTheStateFolderOnly) {
    StateFolder = dir.File("state/zanpel");
    const std::string month = ReadFile(dir.File("200507.dat"));
    {
        auto form = Make();
        auto* pages = form->findChild<QTabWidget*>("Pages");
        EXPECT_EQ(pages->currentWidget()->objectName(), QStringLiteral("TablesPage"));
        EXPECT_TRUE(form->findChild<QToolButton*>("SaveChartBtn")->isHidden());
        EXPECT_FALSE(std::filesystem::exists(StateFolder)); // nothing chosen yet
        pages->setCurrentIndex(1);
        EXPECT_FALSE(form->findChild<QToolButton*>("SaveChartBtn")->isHidden());
    }
    EXPECT_EQ(ReadFile(StateFolder + "/" + SummaryPaneFile), "chart\r\n");
    auto form = Make();
    EXPECT_EQ(form->findChild<QTabWidget*>("Pages")->currentWidget()->objectName(),
              QStringLiteral("ChartPage"));
    EXPECT_EQ(ReadFile(dir.File("200507.dat")), month);
    EXPECT_FALSE(std::filesystem::exists(dir.File("zanpel.ini")));

    // A state folder that cannot be made: the tables, and no error.
    WriteFile(dir.File("blocked"), "");
    StateFolder = dir.File("blocked/zanpel");
    form = Make();
    form->findChild<QTabWidget*>("Pages")->setCurrentIndex(1);
    EXPECT_TRUE(dialogs.Errors.empty());
    EXPECT_FALSE(std::filesystem::exists(StateFolder));
}

TEST_F(ChartPane, TheChartIsSavedAsPngOrSvgAndAFailedSaveLeavesTheFileAsItWas) {
    auto form = Open();
    const QString png = QString::fromStdString(dir.File("chart.png"));
    dialogs.SaveAnswer = png;
    form->findChild<QToolButton*>("SaveChartBtn")->click();
    ASSERT_TRUE(dialogs.Errors.empty());
    EXPECT_TRUE(dialogs.SaveAsked.at(0).endsWith(QStringLiteral("zanpel-200507.png")));
    const QImage image(png);
    EXPECT_EQ(image.size(), form->Chart().size() * form->Chart().devicePixelRatioF());
    EXPECT_EQ(form->findChild<QLabel*>("ReportStatus")->text(),
              QStringLiteral("グラフを保存しました: ") + png);

    dialogs.SaveAnswer = QString::fromStdString(dir.File("chart.SVG"));
    form->SaveChartClick();
    const std::string svg = ReadFile(dir.File("chart.SVG"));
    EXPECT_THAT(svg, HasSubstr("<svg"));
    EXPECT_THAT(svg, HasSubstr("設計"));

    const std::string before = ReadFile(dir.File("chart.png"));
    DiskFullWriter disk;
    OutputWriter = &disk;
    form = Open();
    dialogs.SaveAnswer = png;
    form->SaveChartClick();
    ASSERT_EQ(dialogs.Errors.size(), 1u);
    EXPECT_THAT(dialogs.Errors[0], StartsWith("グラフを書込めません!\r\n" + dir.File("chart.png")));
    EXPECT_EQ(ReadFile(dir.File("chart.png")), before);
    for (const auto& file : std::filesystem::directory_iterator(dir.Path()))
        EXPECT_THAT(file.path().string(), ::testing::Not(HasSubstr(".tmp-")));

    OutputWriter = nullptr;
    for (const std::string& refused : {dir.File("missing/chart.png"), dir.File("200507.dat")}) {
        const std::string month = ReadFile(dir.File("200507.dat"));
        dialogs.Errors.clear();
        dialogs.SaveAnswer = QString::fromStdString(refused);
        form->SaveChartClick();
        EXPECT_THAT(dialogs.Errors, ::testing::ElementsAre(StartsWith("グラフを書込めません!")))
            << refused;
        EXPECT_EQ(ReadFile(dir.File("200507.dat")), month);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("missing")));
}

// Item names are the files' bytes, control characters and all; the SVG
// file still reads as XML, which allows no such character even escaped.
TEST_F(ChartPane, AnItemNameWithControlCharactersGivesAnSvgThatReadsAsXml) {
    WriteFile(dir.File("200507.dat"),
              ReadFile(dir.File("200507.dat")) + Sjis("2005/07/05,\"a<b>&\x01"
                                                      "c\x1B"
                                                      "d\x7F\",,\"10:00:00,11:00:00,,\"\r\n"));
    auto form = Open();
    ASSERT_EQ(form->Chart().Chart().Entries.size(), 3u);
    dialogs.SaveAnswer = QString::fromStdString(dir.File("chart.svg"));
    form->SaveChartClick();
    ASSERT_TRUE(dialogs.Errors.empty());
    QXmlStreamReader reader(QByteArray::fromStdString(ReadFile(dir.File("chart.svg"))));
    while (!reader.atEnd())
        reader.readNext();
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    EXPECT_THAT(ReadFile(dir.File("chart.svg")), HasSubstr("a&lt;b&gt;&amp; c d "));
}

} // namespace
} // namespace zanpel::test
