// The bar window as the timing engine and the editors see it: its timers,
// its buttons' enabled state, its modes and its dialogs. The bar's own boxes
// and dialogs give the keyboard back to the bar when they close.
#pragma once

#include "app/bareditors.h"
#include "app/worktiming.h"

namespace zanpel {

class TDialogs;
class TZanpelForm;

class TBarUi final : public TTimingUi, public TBarEditorsUi {
public:
    TBarUi(TZanpelForm& form, TDialogs& dialogs) : m_form(form), m_dialogs(dialogs) {}

    void SetWorkTimer(bool on) override;
    void SetAutoHideTimer(bool on) override;
    void SetAppSwitchMode(bool on) override;
    void SetAutoHide(bool on) override;
    void SetBarEnabled(bool on) override;
    bool Confirm(const std::string& text) override;
    std::optional<TMemoResult> AskMemo(const TMemoRequest& request) override;
    void ShowError(const std::string& text) override;
    std::optional<TSetupResult> ShowSetup(const TSetupInput& input) override;
    std::optional<TRecordEditResult> EditRecord(const TRecordEditRequest& request) override;

private:
    TZanpelForm& m_form;
    TDialogs& m_dialogs;
};

} // namespace zanpel
