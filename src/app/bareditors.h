// The bar's two editors: the settings dialog ("設定(&S)") and the record
// editor of a work button's "編集". Each opens its dialog on copies, and only
// when the user confirms are the definitions, options and records taken back
// and the bar rebuilt. Plain C++; the window answers through TBarEditorsUi.
#pragma once

#include "reports/timeeditmodel.h"
#include "settings/setupoptions.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zanpel {

class Clock;
class TDataList;
class TInitParam;
class TWorkButtons;
class TWorkTiming;

class TBarEditorsUi {
public:
    virtual ~TBarEditorsUi() = default;
    virtual void SetAutoHideTimer(bool on) = 0;
    virtual void SetAutoHide(bool on) = 0;
    virtual void SetAppSwitchMode(bool on) = 0;
    virtual void ShowError(const std::string& text) = 0; // UTF-8
    // The modal dialogs; none when cancelled.
    virtual std::optional<TSetupResult> ShowSetup(const TSetupInput& input) = 0;
    virtual std::optional<TRecordEditResult> EditRecord(const TRecordEditRequest& request) = 0;
};

class TBarEditors {
public:
    TBarEditors(TDataList& list, TWorkButtons& buttons, TWorkTiming& timing, TInitParam& settings,
                const Clock& clock, TBarEditorsUi& ui);
    TBarEditors(const TBarEditors&) = delete;
    TBarEditors& operator=(const TBarEditors&) = delete;

    // Installs WorkButtonEdit as the handler of the edit buttons.
    void Attach();

    // Start at log-in, offered by the settings dialog when both are set.
    std::function<bool()> IsAutostartOn;
    std::function<std::string(bool on)> SetAutostart;
    // Called once a confirmed settings dialog's changes are in place.
    std::function<void()> OnSettingsApplied;

    // history: the APP list lines (CP932), offered as rules.
    void SetupActionExecute(const std::vector<std::string>& history);
    // The "編集" button of button id: the record editor on today's record.
    void WorkButtonEdit(int id);

private:
    void ApplySetup(const TSetupResult& result);
    void ApplyAutostart(const TSetupResult& result);

    TDataList& m_list;
    TWorkButtons& m_buttons;
    TWorkTiming& m_timing;
    TInitParam& m_settings;
    const Clock& m_clock;
    TBarEditorsUi& m_ui;
};

} // namespace zanpel
