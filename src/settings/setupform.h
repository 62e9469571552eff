// The settings dialog "オプション設定": the options on the page "全般" with
// the rest periods, the work definitions on the page "作業項目", and the
// buttons "更新(&U)" and "取消し(&C)" on its status bar. The pages are laid
// out in setupform.ui; the rules are TWorkItemEditor's and TRestListEditor's,
// and this class only shows their state and forwards input.
#pragma once

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

class TSetupForm : public QDialog {
    Q_OBJECT
public:
    explicit TSetupForm(const TSetupInput& input, QWidget* parent = nullptr);
    ~TSetupForm() override;

    // What "更新(&U)" took (the state of the dialog at that moment).
    const TSetupResult& Result() const { return m_result; }
    // The state behind the pages.
    const TWorkItemEditor& WorkItems() const { return m_items; }
    const TRestListEditor& RestItems() const { return *m_rest; }
    // The plain words under the first page for values the summary cannot
    // count right (UTF-8); empty when there are none.
    QString Warning() const;

    void UpdateBtnClick();
    QMenu* WorkListMenu() const { return m_workListMenu; }

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
    void ShowRestRange();
    void UpdateWarning();
    void FitHeight();
    // --- work items
    void FillWorkList();
    void ShowFields();
    void ReadFields();
    void UpdateCommands();
    void RunWorkCommand(void (TWorkItemEditor::*command)());

    std::unique_ptr<Ui::SetupForm> m_ui;
    QPushButton* m_updateBtn = nullptr;
    QPushButton* m_cancelBtn = nullptr;
    QMenu* m_workListMenu = nullptr;
    TWorkItemEditor m_items;
    std::unique_ptr<TRestListEditor> m_rest;
    bool m_autostartShown = false;
    TSetupResult m_result;
};

} // namespace zanpel
