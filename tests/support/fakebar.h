// Both sides of the bar window that its core talks to, answered by the test:
// the timing engine's as FakeTimingUi answers it, and the editors', whose
// dialogs EditorDialogAnswers answers and must find auto-hide off. What the
// editors change on the window goes to Calls, in its order.
#pragma once

#include "app/bareditors.h"
#include "support/editordialoganswers.h"
#include "support/faketimingui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zanpel::test {

class FakeBar : public FakeTimingUi, public EditorDialogAnswers<TBarEditorsUi> {
public:
    void SetAutoHideTimer(bool on) override { FakeTimingUi::SetAutoHideTimer(on); }
    void SetAppSwitchMode(bool on) override {
        FakeTimingUi::SetAppSwitchMode(on);
        Calls.push_back(on ? "appswitch on" : "appswitch off");
    }
    void SetAutoHide(bool on) override { Calls.push_back(on ? "autohide on" : "autohide off"); }
    void ShowError(const std::string& text) override { Calls.push_back("error " + text); }
    std::optional<TSetupResult> ShowSetup(const TSetupInput& input) override {
        EXPECT_FALSE(AutoHideTimer) << "auto-hide must be off while the dialog is open";
        return EditorDialogAnswers::ShowSetup(input);
    }
    std::optional<TRecordEditResult> EditRecord(const TRecordEditRequest& request) override {
        EXPECT_FALSE(AutoHideTimer) << "auto-hide must be off while the editor is open";
        return EditorDialogAnswers::EditRecord(request);
    }

    std::vector<std::string> Calls;
};

} // namespace zanpel::test
