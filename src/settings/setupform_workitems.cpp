// The settings dialog's page "作業項目": the list of work definitions, its
// commands (buttons, menu and Ctrl keys) and the fields of the selected one.
#include "controls/qcp932.h"
#include "settings/setupform.h"
#include "ui_setupform.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

namespace zanpel {

bool TSetupForm::AddTypedItem() {
    if (!m_items.AddOrReplace()) {
        m_dialogs.ShowError(this, m_items.Refusal());
        return false;
    }
    FillWorkList();
    return true;
}

void TSetupForm::ConnectWorkPage() {
    connect(m_ui->WorkListBox, &QListWidget::currentRowChanged, this, [this](int row) {
        m_items.Select(row);
        ShowFields();
        UpdateCommands();
    });
    connect(m_ui->UpBtn, &QPushButton::clicked, this,
            [this] { RunWorkCommand(&TWorkItemEditor::Up); });
    connect(m_ui->DwnBtn, &QPushButton::clicked, this,
            [this] { RunWorkCommand(&TWorkItemEditor::Down); });
    connect(m_ui->DelBtn, &QPushButton::clicked, this,
            [this] { RunWorkCommand(&TWorkItemEditor::Delete); });
    connect(m_ui->AddBtn, &QPushButton::clicked, this, [this] {
        ReadFields();
        AddTypedItem();
        UpdateCommands();
    });
    connect(m_ui->EraseBtn, &QPushButton::clicked, this, [this] {
        ReadFields();
        m_items.ClearFields();
        ShowFields();
    });
    connect(m_ui->AppHist, &QComboBox::activated, this, [this](int index) {
        const std::string& line = m_history[static_cast<size_t>(index)];
        ReadFields();
        m_items.AddHistory(line);
        ShowFields();
        TryHistoryLine(line);
    });
    m_workListMenu = new QMenu(this);
    m_workListMenu->setObjectName("WorkListMenu");
    const struct {
        QPushButton* Button;
        QKeySequence Keys;
    } commands[] = {{m_ui->UpBtn, QKeySequence(Qt::CTRL | Qt::Key_Up)},
                    {m_ui->DwnBtn, QKeySequence(Qt::CTRL | Qt::Key_Down)},
                    {m_ui->DelBtn, QKeySequence(Qt::CTRL | Qt::Key_Delete)}};
    for (const auto& command : commands) {
        QAction* action =
            m_workListMenu->addAction(command.Button->text(), command.Button, &QPushButton::click);
        action->setShortcut(command.Keys); // shown; the keys are handled below
        connect(m_workListMenu, &QMenu::aboutToShow, action,
                [action, button = command.Button] { action->setEnabled(button->isEnabled()); });
    }
    m_ui->WorkListBox->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_ui->WorkListBox, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        m_workListMenu->popup(m_ui->WorkListBox->viewport()->mapToGlobal(at));
    });
    m_ui->WorkListBox->installEventFilter(this);
}

bool TSetupForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_ui->AppList->viewport() && event->type() == QEvent::ToolTip)
        return ShowRuleToolTip(event);
    if (watched == m_ui->WorkListBox && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::ControlModifier) {
            bool consumed = false;
            if (key->key() == Qt::Key_Up)
                consumed = m_items.CtrlKey(TWorkItemEditor::Key::Up);
            else if (key->key() == Qt::Key_Down)
                consumed = m_items.CtrlKey(TWorkItemEditor::Key::Down);
            else if (key->key() == Qt::Key_Delete)
                consumed = m_items.CtrlKey(TWorkItemEditor::Key::Delete);
            if (consumed) {
                FillWorkList();
                UpdateCommands();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TSetupForm::RunWorkCommand(void (TWorkItemEditor::*command)()) {
    (m_items.*command)();
    FillWorkList();
    UpdateCommands();
}

void TSetupForm::FillWorkList() {
    const QSignalBlocker block(m_ui->WorkListBox);
    m_ui->WorkListBox->clear();
    for (const std::string& line : m_items.Lines())
        m_ui->WorkListBox->addItem(FromCp932(line));
    m_ui->WorkListBox->setCurrentRow(m_items.Selected());
    RefreshRules();
}

void TSetupForm::ShowFields() {
    const TWorkItemFields& f = m_items.Fields;
    m_ui->WorkTitle->setText(FromCp932(f.Title));
    m_ui->Memo->setPlainText(FromCp932Lines(f.Memo));
    m_ui->TaskMemo->setPlainText(FromCp932Lines(f.Categories));
    m_ui->AppList->setPlainText(FromCp932Lines(f.Rules));
    m_ui->AutoSwCheck->setChecked(f.AutoSwitch);
}

TWorkItemFields TSetupForm::ShownFields() const {
    TWorkItemFields f;
    f.Title = ToCp932(m_ui->WorkTitle->text());
    f.Memo = ToCp932Lines(m_ui->Memo->toPlainText());
    f.Categories = ToCp932Lines(m_ui->TaskMemo->toPlainText());
    f.Rules = ToCp932Lines(m_ui->AppList->toPlainText());
    f.AutoSwitch = m_ui->AutoSwCheck->isChecked();
    return f;
}

void TSetupForm::ReadFields() {
    m_items.Fields = ShownFields();
}

void TSetupForm::UpdateCommands() {
    m_ui->UpBtn->setEnabled(m_items.CanUp());
    m_ui->DwnBtn->setEnabled(m_items.CanDown());
    m_ui->DelBtn->setEnabled(m_items.CanDelete());
}

} // namespace zanpel
