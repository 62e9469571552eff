#include "reports/taskdlg.h"

#include "controls/bevellabel.h"
#include "controls/fieldlabel.h"
#include "controls/qcp932.h"
#include "controls/windowplace.h"
#include "records/csvfile.h"
#include "reports/categorylist.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace zanpel {
namespace {

QString MemoToWidget(const std::string& memo) {
    return FromCp932(memo).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::string MemoFromWidget(QString text) {
    return ToCp932(text.replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
}

QPushButton* MakeButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace

TTaskDlg::TTaskDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("TaskDlg");
    setWindowTitle(QStringLiteral("個別作業メモ"));
    resize(368, 254);

    m_timeLabel = new TBevelLabel(this);
    m_timeLabel->setObjectName("TimeLabel");
    m_timeLabel->SetDown(false);
    m_timeLabel->SetTextBorder(2);
    m_timeLabel->SetTextOffset(6);
    m_timeLabel->SetAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_timeLabel->setFixedHeight(22);
    m_themeList = new QComboBox(this);
    m_themeList->setObjectName("ThemeList");
    m_themeList->setEditable(true);
    m_themeList->setInsertPolicy(QComboBox::NoInsert);
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName("Memo1");
    m_memo->setTabChangesFocus(true); // Tab moves on, as in the other editors
    m_memoCheck = new QCheckBox(QStringLiteral("メモ登録は最初のひとつだけ"), this);
    m_memoCheck->setObjectName("MemoCheck");
    m_memoCheck->hide();
    m_enterBtn = MakeButton(QStringLiteral("登録(&U)"), "EnterBtn", this);
    m_cancelBtn = MakeButton(QStringLiteral("キャンセル"), "CancelBtn", this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("開始-終了："), this), 0, 0);
    grid->addWidget(m_timeLabel, 0, 1);
    grid->addWidget(FieldLabel(QStringLiteral("作業分類："), m_themeList, this), 1, 0);
    grid->addWidget(m_themeList, 1, 1);
    grid->addWidget(FieldLabel(QStringLiteral("作業メモ："), m_memo, this), 2, 0, Qt::AlignTop);
    grid->addWidget(m_memo, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_memoCheck);
    buttons->addStretch();
    buttons->addWidget(m_enterBtn);
    buttons->addWidget(m_cancelBtn);
    grid->addLayout(buttons, 3, 0, 1, 2);
    grid->setRowStretch(2, 1);

    connect(m_enterBtn, &QPushButton::clicked, this, &TTaskDlg::EnterBtnClick);
    connect(m_cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TTaskDlg::SetCategoryList(const std::string& commaList) {
    m_themeList->clear();
    for (const std::string& item : Split(commaList))
        m_themeList->addItem(FromCp932(item));
}

std::string TTaskDlg::CategoryList() const {
    StringList items;
    for (int i = 0; i < m_themeList->count(); ++i)
        items.push_back(ToCp932(m_themeList->itemText(i)));
    return Join(items);
}

void TTaskDlg::SetCategory(const std::string& text) {
    m_themeList->setEditText(FromCp932(text));
}

std::string TTaskDlg::Category() const {
    return ToCp932(m_themeList->currentText());
}

void TTaskDlg::SetMemo(const std::string& text) {
    m_memo->setPlainText(MemoToWidget(text));
}

std::string TTaskDlg::Memo() const {
    return MemoFromWidget(m_memo->toPlainText());
}

void TTaskDlg::SetTimeText(const QString& text) {
    m_timeLabel->SetCaption(text);
}

void TTaskDlg::SetMemoCheckVisible(bool visible) {
    m_memoCheck->setVisible(visible);
}

bool TTaskDlg::MemoChecked() const {
    return m_memoCheck->isChecked();
}

void TTaskDlg::EnterBtnClick() {
    StringList items;
    for (int i = 0; i < m_themeList->count(); ++i)
        items.push_back(ToCp932(m_themeList->itemText(i)));
    const std::string typed = ToCp932(m_themeList->currentText());
    if (AddCategory(items, typed)) {
        const QString text = m_themeList->currentText();
        m_themeList->addItem(FromCp932(items.back()));
        m_themeList->setEditText(text);
    }
    accept();
}

void TTaskDlg::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape close nothing here; the buttons do.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TTaskDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    MoveToScreenCentre(*this);
}

} // namespace zanpel
