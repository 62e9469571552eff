// The settings dialog "オプション設定": the options on the page "全般" with
// the rest periods, the work definitions on the page "作業項目", and the
// buttons "更新(&U)" and "取消し(&C)" on its status bar. The pages are laid
// out in setupform.ui; the rules are TWorkItemEditor's and TRestListEditor's,
// and this class only shows their state and forwards input.
#pragma once

#include "controls/messageboxes.h"
#include "settings/restlist.h"
#include "settings/setupoptions.h"
#include "settings/workitemeditor.h"

#include <QDialog>

#include <memory>
#include <optional>

class QMenu;
class QPushButton;

namespace Ui {
class SetupForm;
}

namespace zanpel {

// The questions the settings dialog asks, answered by tests.
class TSetupDialogs {
public:
    virtual ~TSetupDialogs() = default;
    // はい / いいえ / キャンセル; text UTF-8 with CR LF between lines.
    virtual TAnswer AskYesNoCancel(QWidget* parent, const std::string& text) = 0;
    // Why something typed is refused, with OK; text UTF-8.
    virtual void ShowError(QWidget* parent, const std::string& text) = 0;
};

// The same questions in message boxes on the screen.
class TSetupScreenDialogs final : public TSetupDialogs {
public:
    TAnswer AskYesNoCancel(QWidget* parent, const std::string& text) override;
    void ShowError(QWidget* parent, const std::string& text) override;
};

class TSetupForm : public QDialog {
    Q_OBJECT
public:
    // dialogs: where questions go; none: message boxes on the screen.
    explicit TSetupForm(const TSetupInput& input, QWidget* parent = nullptr,
                        TSetupDialogs* dialogs = nullptr);
    ~TSetupForm() override;

    // What "更新(&U)" took (the state of the dialog at that moment).
    const TSetupResult& Result() const { return m_result; }
    // The plain words under the first page for values the summary cannot
    // count right (UTF-8); empty when there are none.
    QString Warning() const;

    // "更新(&U)": a work item typed but not added with "← 更新(&A)" is not
    // dropped without asking whether to add it (キャンセル stays open).
    void UpdateBtnClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void PlaceButtons();
    void ConnectGeneralPage();
    void ConnectWorkPage();
    void ConnectPageKeys();
    void FillOptions(const TSetupOptions& options);
    TSetupOptions ReadOptions() const;
    // --- rest periods
    void ShowRestList();
    void FitRestList();
    void NameForScreenReaders();
    void ShowRestRange();
    void UpdateWarning();
    void FitHeight();
    // --- work items
    void FillWorkList();
    void ShowFields();
    void ReadFields();
    void UpdateCommands();
    void RunWorkCommand(void (TWorkItemEditor::*command)());

    // The fields as the widgets hold them now.
    TWorkItemFields ShownFields() const;
    // --- the rule tester (setupform_tester.cpp)
    void ConnectTester(const std::vector<std::string>& history);
    // The definitions as edited changed: the rule lines' marks, the history's
    // targets and the tester's result follow.
    void RefreshRules();
    void MarkRuleLines();
    void ShowSeenTargets();
    void ShowTryResult();
    void TryHistoryLine(const std::string& line);
    bool ShowRuleToolTip(QEvent* event);

    // Asks about fields not taken with "← 更新(&A)"; false: stay open.
    bool TakePendingItem();
    // "← 更新(&A)": the fields into the copy, or the refusal shown (false).
    bool AddTypedItem();

    std::unique_ptr<Ui::SetupForm> m_ui;
    TSetupDialogs& m_dialogs;
    QPushButton* m_updateBtn = nullptr;
    QPushButton* m_cancelBtn = nullptr;
    QMenu* m_workListMenu = nullptr;
    TWorkItemEditor m_items;
    std::unique_ptr<TRestListEditor> m_rest;
    // The tester's view of the definitions: the copy with the fields in it.
    TAppSwitch m_edited;
    std::vector<std::string> m_history;    // the APP list lines (CP932)
    std::vector<std::string> m_ruleFaults; // per line of the rule field (UTF-8)
    QString m_ruleHint;                    // what the line under the rule field says
    QString m_ruleHintTip;
    bool m_autostartShown = false;
    TSetupResult m_result;
};

} // namespace zanpel
