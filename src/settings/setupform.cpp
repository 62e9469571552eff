// The settings dialog: its status bar buttons, the page "全般" with the
// options and the rest periods, and what "更新(&U)" takes (the page
// "作業項目" in setupform_workitems.cpp).
#include "settings/setupform.h"

#include "controls/qcp932.h"
#include "records/clock.h"
#include "records/textcodec.h"
#include "ui_setupform.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>

#include <utility>

namespace zanpel {
namespace {

constexpr int DialogWidth = 471;
constexpr int DialogHeight = 505;

QPushButton* StatusButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

void SetSeconds(TValueSpin* spin) {
    spin->setRange(1, 300);
    spin->setSingleStep(1);
}

void SetMinutes(TValueSpin* spin) {
    spin->setRange(0, 1440);
    spin->setSingleStep(1);
}

void SetTimeOfDay(TValueSpin* spin) {
    spin->SetTimeEdit(true);
    spin->setRange(0, 1440);
    spin->setSingleStep(10);
}

// A label's text colour: red for a value that needs a look, else the usual.
void MarkLabel(QWidget* label, bool wrong) {
    QPalette p = label->parentWidget()->palette();
    if (wrong)
        p.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(p);
}

} // namespace

TAnswer TSetupScreenDialogs::AskYesNoCancel(QWidget* parent, const std::string& text) {
    return zanpel::AskYesNoCancel(parent, QString::fromStdString(text));
}

void TSetupScreenDialogs::ShowError(QWidget* parent, const std::string& text) {
    ShowNotice(parent, QMessageBox::Warning, QString::fromStdString(text));
}

namespace {

TSetupDialogs& ScreenDialogs() {
    static TSetupScreenDialogs screen;
    return screen;
}

} // namespace

TSetupForm::TSetupForm(const TSetupInput& input, QWidget* parent, TSetupDialogs* dialogs)
    // A title without any button makes X11 window managers drop the whole
    // frame, so the dialog keeps its close button (closing cancels).
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      m_ui(std::make_unique<Ui::SetupForm>()), m_dialogs(dialogs ? *dialogs : ScreenDialogs()),
      m_items(input.Definitions ? *input.Definitions : TAppSwitch()) {
    m_ui->setupUi(this);
    setFixedSize(DialogWidth, DialogHeight);
    PlaceButtons();
    static const SystemClock systemClock;
    m_rest = std::make_unique<TRestListEditor>(input.Options.RestTimes, m_ui->RestRange->Model(),
                                               input.Now ? *input.Now : systemClock);
    m_ui->RestRange->SetColWidth(15);
    SetSeconds(m_ui->NoCount);
    SetSeconds(m_ui->MergeLimit);
    SetMinutes(m_ui->AwayTime);
    SetTimeOfDay(m_ui->WorkBegin);
    SetTimeOfDay(m_ui->WorkEnd);
    m_ui->AddRm->SetFlat(true);
    m_ui->TimeAdjust->SetFlat(true);
    m_ui->AddRm->SetFocusControl(m_ui->RestList);
    FitRestList();
    NameForScreenReaders();
    m_autostartShown = input.IsAutostartOn && input.SetAutostart;
    m_ui->AutoStartCheck->setVisible(m_autostartShown);
    m_ui->AutoStartCheck->setChecked(m_autostartShown && input.IsAutostartOn());
    FillOptions(input.Options);
    ShowRestList();
    ConnectTester(input.History);
    FillWorkList();
    UpdateCommands();
    ConnectGeneralPage();
    ConnectWorkPage();
    ConnectPageKeys();
    UpdateWarning();
}

TSetupForm::~TSetupForm() = default;

void TSetupForm::PlaceButtons() {
    m_updateBtn = StatusButton(QStringLiteral("更新(&U)"), "UpdateBtn", this);
    m_cancelBtn = StatusButton(QStringLiteral("取消し(&C)"), "CancelBtn", this);
    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 1, 0, 0);
    row->setSpacing(4);
    row->addWidget(m_updateBtn);
    row->addWidget(m_cancelBtn);
    panel->setFixedWidth(m_updateBtn->sizeHint().width() + 4 + m_cancelBtn->sizeHint().width() + 8);
    m_ui->StatusBar1->addWidget(panel);
    connect(m_updateBtn, &QPushButton::clicked, this, &TSetupForm::UpdateBtnClick);
    connect(m_cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TSetupForm::ConnectPageKeys() {
    // Ctrl+Tab turns the pages wherever the focus is, also on the buttons
    // below them, where the dialog opens.
    const auto turn = [this](int by) {
        const int count = m_ui->PageControl1->count();
        m_ui->PageControl1->setCurrentIndex((m_ui->PageControl1->currentIndex() + by + count) %
                                            count);
    };
    const struct {
        QKeySequence Keys;
        int By;
    } keys[] = {{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
                {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
                {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}};
    for (const auto& key : keys)
        connect(new QShortcut(key.Keys, this), &QShortcut::activated, this,
                [turn, by = key.By] { turn(by); });
}

void TSetupForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* s = screen())
        move(s->geometry().center() - rect().center());
    m_cancelBtn->setFocus(Qt::OtherFocusReason);
}

QString TSetupForm::Warning() const {
    return m_ui->CheckLabel->text();
}

namespace {

// The controls of the page "全般" and the options they show.
const std::pair<QCheckBox * Ui::SetupForm::*, bool TSetupOptions::*> Checks[] = {
    {&Ui::SetupForm::WinPos, &TSetupOptions::SaveWindowPos},
    {&Ui::SetupForm::MemoEdit, &TSetupOptions::MemoOnStart},
    {&Ui::SetupForm::LastSel, &TSetupOptions::StartWithLast},
    {&Ui::SetupForm::AutoSwitch, &TSetupOptions::AutoRestSwitch},
    {&Ui::SetupForm::AppSwitch, &TSetupOptions::AppSwitch},
    {&Ui::SetupForm::WorkCont, &TSetupOptions::ContinueCategory},
    {&Ui::SetupForm::DoHide, &TSetupOptions::AutoHide},
    {&Ui::SetupForm::ManualOff, &TSetupOptions::ManualSwitchOff},
    {&Ui::SetupForm::SyncEvents, &TSetupOptions::SyncSysLog},
};
const std::pair<TValueSpin * Ui::SetupForm::*, int TSetupOptions::*> Spins[] = {
    {&Ui::SetupForm::WorkBegin, &TSetupOptions::WorkDayBegin},
    {&Ui::SetupForm::WorkEnd, &TSetupOptions::WorkDayEnd},
    {&Ui::SetupForm::MergeLimit, &TSetupOptions::MergeLimit},
    {&Ui::SetupForm::NoCount, &TSetupOptions::NoCount},
    {&Ui::SetupForm::AwayTime, &TSetupOptions::AwayMinutes},
};

} // namespace

void TSetupForm::FillOptions(const TSetupOptions& o) {
    for (const auto& [check, option] : Checks)
        ((*m_ui).*check)->setChecked(o.*option);
    for (const auto& [spin, option] : Spins)
        ((*m_ui).*spin)->setValue(o.*option);
    (o.OvertimeCalc == 1 ? m_ui->CalcTotal : m_ui->CalcDay)->setChecked(true);
}

TSetupOptions TSetupForm::ReadOptions() const {
    TSetupOptions o;
    for (const auto& [check, option] : Checks)
        o.*option = ((*m_ui).*check)->isChecked();
    for (const auto& [spin, option] : Spins)
        o.*option = ((*m_ui).*spin)->value();
    o.OvertimeCalc = m_ui->CalcTotal->isChecked() ? 1 : 0;
    o.RestTimes = m_rest->RestTimes();
    return o;
}

bool TSetupForm::TakePendingItem() {
    ReadFields();
    const TWorkItemEditor::Pending pending = m_items.PendingFields();
    if (pending == TWorkItemEditor::Pending::None)
        return true;
    const std::string& title = m_items.Fields.Title;
    const std::string name = Cp932ToUtf8(title.empty() ? IgnoreListCaption() : title);
    const std::string text =
        pending == TWorkItemEditor::Pending::New
            ? "作業項目「" + name + "」はまだ追加されていません。\r\n追加してから更新しますか？"
            : "作業項目「" + name +
                  "」の変更はまだ反映されていません。\r\n反映してから更新しますか？";
    switch (m_dialogs.AskYesNoCancel(this, text)) {
    case TAnswer::Yes:
        return AddTypedItem();
    case TAnswer::No:
        return true;
    case TAnswer::Cancel:
        break;
    }
    return false;
}

void TSetupForm::UpdateBtnClick() {
    if (!TakePendingItem())
        return;
    m_result.Definitions.Assign(m_items.Definitions());
    m_result.Options = ReadOptions();
    m_result.AutoStart =
        m_autostartShown ? std::optional(m_ui->AutoStartCheck->isChecked()) : std::nullopt;
    accept();
}

// --- page 全般: the rest periods

void TSetupForm::ConnectGeneralPage() {
    connect(m_ui->RestList, &QListWidget::currentRowChanged, this, [this](int row) {
        m_rest->Select(row);
        ShowRestRange();
    });
    connect(m_ui->RestRange, &TRangeGrid::SelectTime, this, &TSetupForm::ShowRestRange);
    connect(m_ui->AddRm, &TSpinBtn::UpClick, this, [this] {
        m_rest->Add();
        ShowRestList();
    });
    connect(m_ui->AddRm, &TSpinBtn::DownClick, this, [this] {
        m_rest->Remove();
        ShowRestList();
    });
    connect(m_ui->TimeAdjust, &TSpinBtn::UpClick, this, [this] {
        m_rest->AdjustBegin();
        ShowRestRange();
    });
    connect(m_ui->TimeAdjust, &TSpinBtn::DownClick, this, [this] {
        m_rest->AdjustEnd();
        ShowRestRange();
    });
    for (TValueSpin* spin : {m_ui->WorkBegin, m_ui->WorkEnd})
        connect(spin, &QSpinBox::valueChanged, this, &TSetupForm::UpdateWarning);
}

void TSetupForm::NameForScreenReaders() {
    // The labels beside the fields name them; the fields without a label of
    // their own and the arrow pairs get names here.
    const std::pair<QLabel*, QWidget*> labelled[] = {
        {m_ui->WorkBeginLabel, m_ui->WorkBegin}, {m_ui->WorkEndLabel, m_ui->WorkEnd},
        {m_ui->NoCountLabel, m_ui->NoCount},     {m_ui->MergeLimitLabel, m_ui->MergeLimit},
        {m_ui->AwayTimeLabel, m_ui->AwayTime},   {m_ui->WorkTitleLabel, m_ui->WorkTitle},
        {m_ui->MemoLabel, m_ui->Memo},           {m_ui->TaskMemoLabel, m_ui->TaskMemo},
        {m_ui->AppListLabel, m_ui->AppList}};
    for (const auto& [label, field] : labelled)
        label->setBuddy(field);
    m_ui->PageControl1->setAccessibleName(QStringLiteral("オプションのページ"));
    m_ui->RestList->setAccessibleName(QStringLiteral("休憩時間の一覧"));
    m_ui->RestRange->setAccessibleName(QStringLiteral("休憩時間の範囲"));
    m_ui->AddRm->SetAccessibleNames(m_ui->AddRm->toolTip(), QStringLiteral("休憩時間を追加"),
                                    QStringLiteral("休憩時間を削除"));
    m_ui->TimeAdjust->SetAccessibleNames(m_ui->TimeAdjust->toolTip(),
                                         QStringLiteral("開始時刻を1分後へ"),
                                         QStringLiteral("終了時刻を1分前へ"));
    m_ui->WorkListBox->setAccessibleName(QStringLiteral("作業項目の一覧"));
    m_ui->AppHist->setAccessibleName(QStringLiteral("アプリ切換えリストの履歴"));
}

void TSetupForm::FitRestList() {
    // As wide as a period takes ("12:00-13:00"), with room for the scroll
    // bar that many periods bring; the range grid has the rest.
    QListWidget* list = m_ui->RestList;
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int text = list->fontMetrics().horizontalAdvance(QStringLiteral("00:00-00:00"));
    list->setFixedWidth(text + 2 * list->frameWidth() + 8 +
                        list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list));
}

void TSetupForm::ShowRestList() {
    const QSignalBlocker block(m_ui->RestList);
    m_ui->RestList->clear();
    for (const std::string& item : m_rest->ItemTexts())
        m_ui->RestList->addItem(QString::fromStdString(item));
    m_ui->RestList->setCurrentRow(m_rest->Selected());
    ShowRestRange();
    UpdateWarning();
}

void TSetupForm::ShowRestRange() {
    m_ui->RestRange->Refresh();
    m_ui->Label1->setText(QString::fromStdString(m_rest->LabelText()));
    // A screen reader hears the range from the grid itself.
    m_ui->RestRange->setAccessibleDescription(QString::fromStdString(m_rest->RangeLabel()));
}

void TSetupForm::UpdateWarning() {
    const std::vector<int> overlapping = m_rest->Overlapping();
    for (int i = 0; i < m_ui->RestList->count(); ++i) {
        const bool wrong =
            std::find(overlapping.begin(), overlapping.end(), i) != overlapping.end();
        m_ui->RestList->item(i)->setForeground(wrong ? QBrush(Qt::red) : QBrush());
    }
    const bool inverted = m_ui->WorkEnd->value() < m_ui->WorkBegin->value();
    MarkLabel(m_ui->WorkEndLabel, inverted);
    const std::string warning =
        OptionsWarning(m_ui->WorkBegin->value(), m_ui->WorkEnd->value(), !overlapping.empty());
    m_ui->CheckLabel->setText(QString::fromStdString(warning));
    MarkLabel(m_ui->CheckLabel, true);
    m_ui->CheckLabel->setVisible(!warning.empty());
    FitHeight();
}

void TSetupForm::FitHeight() {
    // The warning takes lines of its own under the first page: the dialog
    // grows for them rather than squeezing the page's controls together,
    // and is its own size again once they go.
    // The sizes the layouts keep are asked for again, here and now.
    m_ui->GeneralLayout->invalidate();
    m_ui->TabSheet1->updateGeometry();
    m_ui->PageControl1->updateGeometry();
    layout()->activate();
    setFixedSize(DialogWidth, std::max(DialogHeight, layout()->totalMinimumSize().height()));
}

} // namespace zanpel
