// The record editor "【name】のメモ編集": today's periods of one work item
// with their categories and memos, its standard memo and total. "変更(&E)"
// sets the category and memo of the selected periods through the memo
// dialog, "削除(&D)" deletes one period after asking, "新規(&N)" adds one
// through the work registration dialog. It works on TTimeEditModel, a copy
// that the caller takes back only after "更新(&U)".
#pragma once

#include "reports/timeeditmodel.h"

#include <QDialog>

#include <optional>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace zanpel {

class TPeriodTable;

// The dialogs the record editor opens, answered by tests.
class TTimeEditDialogs {
public:
    virtual ~TTimeEditDialogs() = default;
    // Yes/No; text UTF-8 with CR LF between lines.
    virtual bool Confirm(QWidget* parent, const std::string& text) = 0;
    virtual std::optional<TPeriodMemoResult> AskPeriodMemo(QWidget* parent,
                                                           const TPeriodMemoRequest& request) = 0;
    virtual std::optional<TNewPeriod> AskNewPeriod(QWidget* parent,
                                                   const TNewPeriodRequest& request) = 0;
};

// The same dialogs on the screen: a message box, the memo dialog and the
// work registration dialog.
class TTimeEditScreenDialogs final : public TTimeEditDialogs {
public:
    bool Confirm(QWidget* parent, const std::string& text) override;
    std::optional<TPeriodMemoResult> AskPeriodMemo(QWidget* parent,
                                                   const TPeriodMemoRequest& request) override;
    std::optional<TNewPeriod> AskNewPeriod(QWidget* parent,
                                           const TNewPeriodRequest& request) override;
};

class TTimeEdit : public QDialog {
    Q_OBJECT
public:
    TTimeEdit(TTimeEditModel& model, TTimeEditDialogs& dialogs, QWidget* parent = nullptr);
    ~TTimeEdit() override;

    // The selected rows from the top; the first selected one or -1.
    std::vector<int> SelectedRows() const;
    int SelectedPeriodIndex() const;

    void EditBtnClick();
    void Delete1Click() { DeleteSelectedPeriod(); }
    void N_NewClick();
    void DeleteSelectedPeriod();

    // The commands of the period list's menu ("N1", "Delete1", "N_New").
    QAction* EditAction() const { return m_editAction; }
    QAction* DeleteAction() const { return m_deleteAction; }
    QAction* NewAction() const { return m_newAction; }

    // Keeps the standard memo (trimmed) on every way out.
    void done(int result) override;

protected:
    // Opens centred on the screen, not over the bar and its running item.
    void showEvent(QShowEvent* event) override;

private:
    void CreateActions();
    void Reload(int selectRow = -1);
    void UpdateEditBtn();

    TTimeEditModel& m_model;
    TTimeEditDialogs& m_dialogs;
    TPeriodTable* m_table;
    QLineEdit* m_total;
    QPlainTextEdit* m_memo;
    QTableView* m_listView;
    QPushButton* m_addBtn;
    QPushButton* m_cancelBtn;
    QPushButton* m_editBtn;
    QMenu* m_popup = nullptr;
    QAction* m_editAction = nullptr;
    QAction* m_deleteAction = nullptr;
    QAction* m_newAction = nullptr;
};

} // namespace zanpel
