#include "reports/workreportdialog.h"

#include "controls/qcp932.h"
#include "records/blanks.h"
#include "reports/reportdialogs.h"
#include "reports/reporttexts.h"
#include "settings/initparam.h"
#include "ui_workreportdialog.h"

#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

namespace zanpel {
namespace {

void FillDates(QComboBox& box, const std::vector<DayNumber>& days) {
    box.clear();
    for (DayNumber day : days)
        box.addItem(QString::fromLatin1(FormatMonthDay(day)), day);
    box.setCurrentIndex(days.empty() ? -1 : 0);
}

DayNumber SelectedDay(const QComboBox& box) {
    return box.currentIndex() < 0 ? 0 : box.currentData().value<DayNumber>();
}

} // namespace

TWorkReport::TWorkReport(TReportDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::WorkReport>()), m_dialogs(dialogs) {
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    TEditButton& edit = *m_ui->FileEdit;
    edit.AutoCopy = true;
    edit.SetValidButton(false);
    edit.SetFlatButton(false);
    edit.SetGlyph(style()->standardIcon(QStyle::SP_DirOpenIcon));
    edit.Edit()->setAccessibleName(QStringLiteral("出力先のファイル"));
    edit.Button()->setAccessibleName(QStringLiteral("出力先のファイルを選ぶ"));
    m_ui->CancelBtn->setFocus();

    for (QRadioButton* term : {m_ui->TermMonth, m_ui->TermDay, m_ui->TermWeek, m_ui->TermRange})
        connect(term, &QRadioButton::toggled, this, &TWorkReport::DateTermClick);
    connect(m_ui->WorkDetail, &QCheckBox::toggled, this, &TWorkReport::WorkDetailClick);
    connect(m_ui->DestFile, &QRadioButton::toggled, this, &TWorkReport::DestClick);
    connect(&edit, &TEditButton::BtnClick, this, &TWorkReport::FileEditBtnClick);
    connect(m_ui->ExecBtn, &QPushButton::clicked, this, &TWorkReport::ExecBtnClick);
    connect(m_ui->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

TWorkReport::~TWorkReport() = default;

QRadioButton* TWorkReport::PeriodButton(int index) const {
    switch (index) {
    case rpDay:
        return m_ui->TermDay;
    case rpWeek:
        return m_ui->TermWeek;
    case rpRange:
        return m_ui->TermRange;
    default:
        return m_ui->TermMonth;
    }
}

void TWorkReport::Prepare(const TReportDates& dates, const TInitParam& settings) {
    m_current = dates.CurrentDay;
    FillDates(*m_ui->BegDate, dates.BegDays);
    FillDates(*m_ui->EndDate, dates.EndDays);
    if (m_current != 0) {
        m_ui->TermDay->setText(FromCp932(dates.DayChoice));
        m_ui->TermWeek->setText(QString::fromLatin1(dates.WeekChoice));
    }
    m_ui->TermDay->setEnabled(m_current != 0);
    m_ui->TermWeek->setEnabled(m_current != 0);
    m_ui->TermRange->setEnabled(!dates.BegDays.empty());

    m_ui->FileEdit->SetText(FromCp932(settings.ReportFile));
    m_ui->MemoCheck->setChecked(settings.HasReportFlag(ReportStandardMemo));
    m_ui->WorkDetail->setChecked(settings.HasReportFlag(ReportCategoryList));
    m_ui->DetailMemo->setChecked(settings.HasReportFlag(ReportWorkMemo));
    m_ui->SubTotal->setChecked(settings.HasReportFlag(ReportSubtotal));
    m_ui->DaySeq->setChecked(settings.HasReportFlag(ReportByDate));
    QRadioButton* period = PeriodButton(settings.ReportPeriod);
    (period->isEnabled() ? period : m_ui->TermMonth)->setChecked(true);
    m_ui->CloseCheck->setChecked(settings.CloseAfterReport);
    m_ui->DestFile->setChecked(true);

    DateTermClick();
    WorkDetailClick();
    DestClick();
}

void TWorkReport::DateTermClick() {
    const bool range = m_ui->TermRange->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{m_ui->BegDate, m_ui->EndDate, m_ui->BegText,
                                                      m_ui->EndText})
        w->setEnabled(range);
}

void TWorkReport::WorkDetailClick() {
    m_ui->DetailMemo->setEnabled(m_ui->WorkDetail->isChecked());
}

void TWorkReport::DestClick() {
    m_ui->FileEdit->SetEnabled(m_ui->DestFile->isChecked());
}

void TWorkReport::FileEditBtnClick() {
    if (const auto name = m_dialogs.AskSaveFileName(this, m_ui->FileEdit->Text()))
        m_ui->FileEdit->SetText(*name);
}

void TWorkReport::ExecBtnClick() {
    if (const std::string problem = ReportChoiceProblem(Choice()); !problem.empty()) {
        m_dialogs.ShowError(problem);
        return;
    }
    accept();
}

int TWorkReport::PeriodIndex() const {
    for (int i = rpMonth; i <= rpRange; ++i)
        if (PeriodButton(i)->isChecked())
            return i;
    return rpMonth;
}

uint16_t TWorkReport::Flags() const {
    uint16_t flags = 0;
    const std::pair<QCheckBox*, uint16_t> boxes[] = {{m_ui->MemoCheck, ReportStandardMemo},
                                                     {m_ui->WorkDetail, ReportCategoryList},
                                                     {m_ui->DetailMemo, ReportWorkMemo},
                                                     {m_ui->SubTotal, ReportSubtotal},
                                                     {m_ui->DaySeq, ReportByDate}};
    for (const auto& [box, bit] : boxes)
        if (box->isChecked())
            flags |= bit;
    return flags;
}

void TWorkReport::StoreChoices(TInitParam& settings) const {
    settings.ReportFile = TrimBlanks(ToCp932(m_ui->FileEdit->Text()));
    settings.ReportFlags = 0;
    const uint16_t flags = Flags();
    for (uint16_t bit :
         {ReportStandardMemo, ReportCategoryList, ReportWorkMemo, ReportSubtotal, ReportByDate})
        settings.SetReportFlag(bit, (flags & bit) != 0);
    settings.ReportPeriod = PeriodIndex();
    settings.CloseAfterReport = m_ui->CloseCheck->isChecked();
}

TReportChoice TWorkReport::Choice() const {
    return {Flags(), PeriodIndex(), m_current, SelectedDay(*m_ui->BegDate),
            SelectedDay(*m_ui->EndDate)};
}

bool TWorkReport::ToClipboard() const {
    return m_ui->DestClipboard->isChecked();
}

} // namespace zanpel
