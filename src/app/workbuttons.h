// The work button bar as state: one toggle button per work item in one
// exclusive group (the cells and their layout in buttoncells.h, the selection
// and its events in buttonselection.h), and the switch by application rules.
// The widget draws this state and forwards clicks; tests drive it without a
// display.
#pragma once

#include "app/buttonselection.h"

#include <string>

namespace zanpel {

class TAppSwitch;

class TWorkButtons : public TButtonSelection {
public:
    // definitions: the work definitions used by SwitchByApplication.
    explicit TWorkButtons(TAppSwitch& definitions);
    ~TWorkButtons();

    bool AppSwitchActive = false;
    bool AppSwitching = false;
    std::string LastExeName;
    std::string LastWindowTitle;
    // The rule behind the last switch: its index among its item's rules and
    // its text.
    int LastRule = -1;
    std::string LastRuleText;
    // Selects the item whose rule matches the application in front (adding
    // its button when the bar has none), while switching is active.
    void SwitchByApplication(const std::string& exeName, const std::string& windowTitle);
    void ClearAppInfo();

private:
    TAppSwitch& m_definitions;
};

} // namespace zanpel
