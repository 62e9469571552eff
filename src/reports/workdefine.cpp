#include "reports/workdefine.h"

#include "controls/fieldlabel.h"
#include "controls/messageboxes.h"
#include "controls/qcp932.h"
#include "controls/windowplace.h"
#include "records/csvfile.h"
#include "settings/rangegridwidget.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace zanpel {

TWorkDefine::TWorkDefine(const TNewPeriodRequest& request, QWidget* parent)
    : QDialog(parent), m_request(request), m_grid(new TRangeGrid(this)),
      m_rangeLabel(new QLabel(this)), m_themeList(new QComboBox(this)),
      m_memo(new QPlainTextEdit(this)),
      m_enterBtn(new QPushButton(QStringLiteral("登録(&U)"), this)),
      m_cancelBtn(new QPushButton(QStringLiteral("キャンセル"), this)) {
    setObjectName("WorkDefine");
    setWindowTitle(QStringLiteral("作業登録"));
    setFixedSize(377, 232);
    m_grid->setObjectName("RangeGrid1");
    m_grid->setAccessibleName(QStringLiteral("開始-終了"));
    m_grid->SetMaxRange(1440);
    m_grid->SetTimeUnit(15);
    m_grid->SetBeginTime(-15);
    m_grid->SetEndTime(0);
    // A period that was missed lies before now: the hours up to now show,
    // and the keyboard starts on the quarter that ends now.
    m_grid->ShowBefore(request.NowMinute);
    m_rangeLabel->setObjectName("RangeLabel");
    m_themeList->setObjectName("ThemeList");
    m_themeList->setEditable(true);
    m_themeList->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& item : Split(request.Categories))
        m_themeList->addItem(FromCp932(item));
    m_themeList->setEditText(QString());
    m_memo->setObjectName("Memo1");
    m_memo->setTabChangesFocus(true);
    m_enterBtn->setObjectName("EnterBtn");
    m_cancelBtn->setObjectName("CancelBtn");

    auto* grid = new QGridLayout(this);
    auto* rangeRow = new QHBoxLayout;
    rangeRow->addWidget(new QLabel(QStringLiteral("開始-終了："), this));
    rangeRow->addWidget(m_rangeLabel, 1);
    grid->addLayout(rangeRow, 0, 0, 1, 2);
    grid->addWidget(m_grid, 1, 0, 1, 2);
    grid->addWidget(FieldLabel(QStringLiteral("作業分類："), m_themeList, this), 2, 0);
    grid->addWidget(m_themeList, 2, 1);
    grid->addWidget(FieldLabel(QStringLiteral("作業メモ："), m_memo, this), 3, 0, Qt::AlignTop);
    grid->addWidget(m_memo, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_enterBtn);
    buttons->addWidget(m_cancelBtn);
    grid->addLayout(buttons, 4, 0, 1, 2);
    grid->setRowStretch(3, 1);

    ShowRefusal = [this](const QString& text) { ShowNotice(this, QMessageBox::Warning, text); };
    connect(m_grid, &TRangeGrid::SelectTime, this, &TWorkDefine::ShowRange);
    connect(m_enterBtn, &QPushButton::clicked, this, &TWorkDefine::EnterBtnClick);
    connect(m_cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    ShowRange();
}

void TWorkDefine::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    MoveToScreenCentre(*this);
}

TNewPeriod TWorkDefine::Period() const {
    return {m_grid->BeginTime(), m_grid->EndTime(), ToCp932(m_themeList->currentText()),
            ToCp932Lines(m_memo->toPlainText())};
}

void TWorkDefine::ShowRange() {
    const int b = m_grid->BeginTime();
    const int e = m_grid->EndTime();
    m_rangeLabel->setText(
        b < 0 ? QStringLiteral("(下の時間帯をドラッグして選択)")
              : QString::asprintf("%02d:%02d-%02d:%02d", b / 60, b % 60, e / 60, e % 60));
    // A screen reader hears the range from the grid itself.
    m_grid->setAccessibleDescription(m_rangeLabel->text());
}

void TWorkDefine::EnterBtnClick() {
    const TNewPeriod period = Period();
    const std::string refusal =
        m_request.Check ? m_request.Check(period.BeginMinute, period.EndMinute) : std::string();
    if (!refusal.empty()) {
        ShowRefusal(QString::fromStdString(refusal));
        return;
    }
    accept();
}

} // namespace zanpel
