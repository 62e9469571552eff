// The memo dialog: one category (with the item's category list to choose
// from, which "登録(&U)" may extend) and one memo. Enter and Escape do not
// close it, so typing a memo never ends it by accident.
#pragma once

#include <QDialog>

#include <string>

class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace zanpel {

class TBevelLabel;

class TTaskDlg : public QDialog {
    Q_OBJECT
public:
    explicit TTaskDlg(QWidget* parent = nullptr);

    // Texts are CP932, as the work list holds them; memos use CR LF.
    void SetCategoryList(const std::string& commaList);
    std::string CategoryList() const; // the drop-down items as a comma list
    void SetCategory(const std::string& text);
    std::string Category() const;
    void SetMemo(const std::string& text);
    std::string Memo() const;
    void SetTimeText(const QString& text);
    void SetMemoCheckVisible(bool visible);
    bool MemoChecked() const;

    void EnterBtnClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Opens centred on the screen, not over the bar that asks.
    void showEvent(QShowEvent* event) override;

private:
    TBevelLabel* m_timeLabel;
    QComboBox* m_themeList;
    QPlainTextEdit* m_memo;
    QCheckBox* m_memoCheck;
    QPushButton* m_enterBtn;
    QPushButton* m_cancelBtn;
};

} // namespace zanpel
