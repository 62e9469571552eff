#include "reports/sumform.h"

#include "controls/qcp932.h"
#include "records/atomicfile.h"
#include "reports/chartexport.h"
#include "reports/monthchart.h"
#include "reports/monthchartwidget.h"
#include "reports/outputfile.h"
#include "reports/reportdates.h"
#include "reports/rowsmodel.h"
#include "reports/workreport.h"
#include "reports/workreportdialog.h"
#include "settings/initparam.h"
#include "tracking/journalsource.h"
#include "ui_sumform.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QItemSelectionModel>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>

#include <filesystem>

namespace zanpel {
namespace {

std::vector<TColumn> MonthColumns() {
    return {{QStringLiteral("日付"), 45, Qt::AlignLeft},
            {QStringLiteral("時間"), 38, Qt::AlignHCenter},
            {QStringLiteral("開始"), 55, Qt::AlignHCenter},
            {QStringLiteral("終了"), 55, Qt::AlignHCenter}};
}

std::vector<TColumn> DayColumns() {
    return {{QStringLiteral("日付"), 50, Qt::AlignLeft},
            {QStringLiteral("時間"), 50, Qt::AlignHCenter},
            {QStringLiteral("時分"), 50, Qt::AlignHCenter},
            {QStringLiteral("作業内容"), 120, Qt::AlignLeft},
            {QStringLiteral("メモ"), 0, Qt::AlignLeft}};
}

std::vector<TColumn> PeriodColumns() {
    return {{QStringLiteral("作業内容"), 120, Qt::AlignLeft},
            {QStringLiteral("開始時間"), 70, Qt::AlignLeft},
            {QStringLiteral("終了時間"), 70, Qt::AlignHCenter},
            {QStringLiteral("時分"), 45, Qt::AlignHCenter},
            {QStringLiteral("メモ"), 0, Qt::AlignLeft}};
}

// A memo of several lines as a tool tip.
QString MemoTip(const std::string& memo) {
    return FromCp932(memo).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Dates, times and hours are plain ASCII: no conversion needed for them.
QString Ascii(const std::string& text) {
    return QString::fromLatin1(text);
}

// Where a report file name that is not absolute goes: the data folder, where
// the program's other files live.
std::string ReportPath(const std::string& reportFile, const std::string& dataDir) {
    const std::string name = Cp932ToUtf8(reportFile);
    if (name.empty() || std::filesystem::path(name).is_absolute())
        return name;
    return dataDir + name;
}

} // namespace

TSumForm::TSumForm(TDataList& list, TInitParam& settings, const Clock& clock,
                   TReportDialogs& dialogs, Environment environment, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::SumForm>()), m_list(list), m_settings(settings),
      m_clock(clock), m_dialogs(dialogs), m_env(std::move(environment)), m_reporter(dialogs),
      m_summary(list, settings, clock, m_reporter,
                [&dialogs](const std::string& text) { return dialogs.Confirm(text); }) {
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    QStyle* s = style();
    m_ui->CloseBtn->setIcon(s->standardIcon(QStyle::SP_DialogCloseButton));
    m_ui->SaveBtn->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
    m_ui->ImportBtn->setIcon(s->standardIcon(QStyle::SP_BrowserReload));
    m_ui->ImportBtn->setVisible(JournalOpens());
    m_ui->ToolSeparator2->setVisible(m_ui->ImportBtn->isVisibleTo(this));
    m_ui->SaveChartBtn->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
    m_chart = new TMonthChartWidget(m_ui->ChartPage);
    m_ui->ChartPageLayout->addWidget(m_chart);
    ShowPane(ReadSummaryPane(m_env.StateFolder));
    ShowChartCommands();

    m_monthModel = new TRowsModel(MonthColumns(), this);
    m_dayModel = new TRowsModel(DayColumns(), this);
    m_periodModel = new TRowsModel(PeriodColumns(), this);
    SetUpReportList(*m_ui->MonthList, *m_monthModel, 12);
    SetUpReportList(*m_ui->DayList, *m_dayModel, 13);
    SetUpReportList(*m_ui->ListView, *m_periodModel, 13);
    m_ui->MonthList->setAccessibleName(QStringLiteral("月度一覧"));
    m_ui->DayList->setAccessibleName(QStringLiteral("日の作業"));
    m_ui->ListView->setAccessibleName(QStringLiteral("作業の明細"));
    m_ui->Pages->setAccessibleName(QStringLiteral("表示"));
    m_ui->Splitter1->setSizes({201, width() - 201});
    m_ui->Splitter1->setStretchFactor(1, 1);
    m_ui->Splitter2->setSizes({205, height() - 205});
    m_ui->Splitter2->setStretchFactor(1, 1);
    m_ui->MonthList->setFocus();

    connect(m_ui->CloseBtn, &QToolButton::clicked, this, &TSumForm::CloseBtnClick);
    connect(m_ui->SaveBtn, &QToolButton::clicked, this, &TSumForm::SaveBtnClick);
    connect(m_ui->ImportBtn, &QToolButton::clicked, this, &TSumForm::ImportBtnClick);
    connect(m_ui->SaveChartBtn, &QToolButton::clicked, this, &TSumForm::SaveChartClick);
    connect(m_ui->Pages, &QTabWidget::currentChanged, this, &TSumForm::PaneChanged);
    connect(m_chart, &TMonthChartWidget::DayChosen, this, &TSumForm::ChartDayChosen);
    connect(m_ui->ToolButton2, &QToolButton::clicked, this, &TSumForm::ToolButton2Click);
    connect(m_ui->ToolButton3, &QToolButton::clicked, this, &TSumForm::ToolButton3Click);
    connect(m_ui->ToolButton5, &QToolButton::clicked, this, &TSumForm::ToolButton5Click);
    connect(m_ui->MonthList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TSumForm::MonthListSelectItem);
    connect(m_ui->DayList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TSumForm::DayListSelectItem);
    installEventFilter(this);
}

TSumForm::~TSumForm() = default;

bool TSumForm::JournalOpens() const {
    if (!m_env.OpenJournal)
        return false;
    const std::unique_ptr<JournalSource> source = m_env.OpenJournal();
    return source && source->Open() == 0;
}

int TSumForm::Execute(const TDataList& list) {
    ShowMonth(list.CurrentDate());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    return m_dialogs.ExecModal(*this);
}

void TSumForm::ShowMonth(DayNumber day) {
    m_summary.ShowMonth(day);
    RefreshViews();
}

void TSumForm::RefreshViews() {
    const TSummaryView& view = m_summary.View();
    setWindowTitle(FromCp932(view.Caption));
    FillMonthList();
    m_ui->Label1->setText(FromCp932(view.OvertimeLine));
    FillDayList();
    m_periodModel->Clear();
    m_chart->SetChart(BuildMonthChart(m_summary.MonthData(), m_settings));
    SelectDayRecord(view.CurrentLogin);
}

void TSumForm::FillMonthList() {
    std::vector<TRowsModel::Row> rows;
    rows.reserve(m_summary.View().MonthRows.size());
    for (const TMonthRow& row : m_summary.View().MonthRows)
        rows.push_back({{Ascii(row.Date), Ascii(row.Hours), Ascii(row.Start), Ascii(row.End)}, {}});
    m_monthModel->SetRows(std::move(rows));
}

void TSumForm::FillDayList() {
    std::vector<TRowsModel::Row> rows;
    rows.reserve(m_summary.View().DayRows.size());
    for (const TDayRow& row : m_summary.View().DayRows)
        rows.push_back({{Ascii(row.Date), Ascii(row.Hours), Ascii(row.Duration),
                         FromCp932(row.Work), FromCp932(row.Memo)},
                        MemoTip(row.Record->Memo)});
    m_dayModel->SetRows(std::move(rows));
}

void TSumForm::SelectDayRecord(const TWorkInfo* record) {
    const std::vector<TDayRow>& rows = m_summary.View().DayRows;
    for (size_t i = 0; record != nullptr && i < rows.size(); ++i) {
        if (rows[i].Record != record)
            continue;
        const int row = static_cast<int>(i);
        m_ui->DayList->selectRow(row);
        m_ui->DayList->scrollTo(m_dayModel->index(row, 0), QAbstractItemView::EnsureVisible);
        return;
    }
}

const TWorkInfo* TSumForm::SelectedRecord() const {
    const int row = SelectedRow(*m_ui->DayList);
    return row < 0 ? nullptr : m_summary.View().DayRows[static_cast<size_t>(row)].Record;
}

void TSumForm::MonthListSelectItem() {
    const int row = SelectedRow(*m_ui->MonthList);
    if (row >= 0)
        SelectDayRecord(m_summary.View().MonthRows[static_cast<size_t>(row)].Record);
}

void TSumForm::DayListSelectItem() {
    std::vector<TRowsModel::Row> rows;
    const TWorkInfo* record = SelectedRecord();
    if (record != nullptr) {
        m_chart->SetSelectedDay(record->Date);
        for (const TPeriodRow& row : PeriodRows(*record))
            rows.push_back({{FromCp932(row.Work), Ascii(row.Start), Ascii(row.End),
                             Ascii(row.Duration), FromCp932(row.Memo)},
                            MemoTip(row.Period->Memo)});
    }
    m_periodModel->SetRows(std::move(rows));
}

void TSumForm::ChartDayChosen(DayNumber day) {
    const std::vector<TMonthRow>& months = m_summary.View().MonthRows;
    const auto login = std::find_if(months.begin(), months.end(), [day](const TMonthRow& row) {
        return row.Record->Date == day;
    });
    if (login != months.end()) {
        m_ui->MonthList->selectRow(static_cast<int>(login - months.begin()));
        SelectDayRecord(login->Record);
        return;
    }
    m_ui->MonthList->clearSelection();
    const std::vector<TDayRow>& days = m_summary.View().DayRows;
    const auto first = std::find_if(days.begin(), days.end(),
                                    [day](const TDayRow& row) { return row.Record->Date == day; });
    if (first != days.end())
        SelectDayRecord(first->Record);
    else
        m_ui->DayList->clearSelection();
}

void TSumForm::ShowPane(TSummaryPane pane) {
    m_ui->Pages->setCurrentWidget(pane == TSummaryPane::Chart ? m_ui->ChartPage : m_ui->TablesPage);
}

bool TSumForm::ShowChartCommands() {
    const bool chart = m_ui->Pages->currentWidget() == m_ui->ChartPage;
    m_ui->SaveChartBtn->setVisible(chart);
    m_ui->ToolSeparator3->setVisible(chart);
    return chart;
}

void TSumForm::PaneChanged() {
    const bool chart = ShowChartCommands();
    // Only a convenience: when it cannot be written, the window opens on the
    // tables next time, and the user is not bothered about it.
    AtomicWriter standard;
    WriteSummaryPane(m_env.StateFolder, chart ? TSummaryPane::Chart : TSummaryPane::Tables,
                     standard);
}

QString TSumForm::ChartFileName() const {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    const std::vector<TChartDay>& days = m_chart->Chart().Days;
    const CivilDate month = DecodeDate(days.empty() ? Today(m_clock) : days.front().Date);
    return QDir(folder).filePath(QString::asprintf("zanpel-%04d%02d.png", month.Year, month.Month));
}

void TSumForm::SaveChartClick() {
    const std::optional<QString> name = m_dialogs.AskChartFileName(this, ChartFileName());
    if (!name)
        return;
    const QSize size = m_chart->size().expandedTo(m_chart->minimumSizeHint());
    const QByteArray picture = RenderChart(m_chart->Chart(), m_chart->Look(), size,
                                           m_chart->devicePixelRatioF(), ChartFormatOf(*name));
    AtomicWriter standard;
    const std::string path = name->toStdString();
    const std::string error = WriteOutputFile(
        path, std::string_view(picture.constData(), static_cast<size_t>(picture.size())),
        m_list.DataDir(), m_env.OutputWriter ? *m_env.OutputWriter : standard,
        "グラフを書込めません!\r\n");
    if (!error.empty()) {
        m_dialogs.ShowError(error);
        return;
    }
    m_ui->ReportStatus->setText(QStringLiteral("グラフを保存しました: ") + *name);
}

std::optional<QPoint> TSumForm::CommandCenter(const char* objectName) const {
    const QWidget* command = findChild<QWidget*>(QString::fromLatin1(objectName));
    if (command == nullptr || !command->isVisible())
        return std::nullopt;
    return command->mapTo(this, command->rect().center());
}

void TSumForm::CloseBtnClick() {
    done(QDialog::Accepted);
}

void TSumForm::ShowPreviousMonth() {
    if (m_summary.PreviousMonth())
        RefreshViews();
}

void TSumForm::ShowNextMonth() {
    if (m_summary.NextMonth())
        RefreshViews();
}

void TSumForm::ShowCurrentMonth() {
    if (m_summary.TakeMainList())
        RefreshViews();
}

void TSumForm::ImportBtnClick() {
    const auto readLog = [this](DayNumber firstDay) {
        const std::unique_ptr<JournalSource> source =
            m_env.OpenJournal ? m_env.OpenJournal() : nullptr;
        if (!source)
            return TEventLog{};
        QApplication::setOverrideCursor(Qt::WaitCursor);
        TEventLog log = ReadEventLog(*source, firstDay, m_clock);
        QApplication::restoreOverrideCursor();
        return log;
    };
    const auto handBack = [this](const TDataList& corrected) {
        if (m_env.ReplaceWorkList)
            m_env.ReplaceWorkList(corrected);
    };
    if (m_summary.Sync(readLog, handBack) != TMonthSummary::SyncResult::Declined)
        RefreshViews();
}

void TSumForm::SaveBtnClick() {
    const TWorkInfo* selected = SelectedRecord();
    const TReportDates dates =
        PrepareReportDates(m_summary.MonthData(), selected ? selected->Date : 0);
    TWorkReport dialog(m_dialogs, this);
    dialog.Prepare(dates, m_settings);
    if (m_dialogs.ExecModal(dialog) != QDialog::Accepted)
        return;
    dialog.StoreChoices(m_settings);
    // A choice without a report is refused, never written as an empty file.
    if (const std::string problem = ReportChoiceProblem(dialog.Choice()); !problem.empty()) {
        m_dialogs.ShowError(problem);
        return;
    }
    const std::string text = BuildReport(m_summary.MonthData(), dialog.Choice());
    std::string written = "作業レポートをクリップボードにコピーしました。";
    if (dialog.ToClipboard()) {
        m_dialogs.SetClipboardText(
            FromCp932(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    } else {
        AtomicWriter standard;
        const std::string path = ReportPath(m_settings.ReportFile, m_list.DataDir());
        const std::string error = WriteReportFile(
            path, text, m_list.DataDir(), m_env.OutputWriter ? *m_env.OutputWriter : standard);
        if (!error.empty()) {
            m_dialogs.ShowError(error);
            return;
        }
        written = "作業レポートを書き出しました: " + path;
    }
    // Where the report went: on the window's tool bar, or in a notice when
    // the window closes after the report.
    m_ui->ReportStatus->setText(QString::fromStdString(written));
    if (m_settings.CloseAfterReport) {
        m_dialogs.Inform(written);
        done(QDialog::Accepted);
    }
}

void TSumForm::done(int result) {
    // Changes that could not be saved are not dropped without asking.
    if (m_summary.MayClose())
        QDialog::done(result);
}

bool TSumForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == this && event->type() == QEvent::Paint && !m_firstFrameSeen) {
        m_firstFrameSeen = true;
        if (m_env.FirstFrame)
            m_env.FirstFrame(*this);
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zanpel
