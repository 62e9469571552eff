#include "app/workbuttons.h"

#include "tracking/appswitch.h"

namespace zanpel {

TWorkButtons::TWorkButtons(TAppSwitch& definitions) : m_definitions(definitions) {}

TWorkButtons::~TWorkButtons() = default;

void TWorkButtons::SwitchByApplication(const std::string& exeName, const std::string& windowTitle) {
    if (!AppSwitchActive)
        return;
    const int k = m_definitions.Match(exeName, windowTitle);
    if (k < 0)
        return;
    const std::string& name = m_definitions.Items(k).Name;
    int b = IndexOfName(name);
    if (b < 0)
        b = AddButton(name);
    AppSwitchActive = !m_definitions.LastStopAfterSwitch;
    const bool changed =
        b != ItemIndex() || exeName != LastExeName || windowTitle != LastWindowTitle;
    LastExeName = exeName;
    LastWindowTitle = windowTitle;
    if (!changed)
        return;
    LastRule = m_definitions.LastMatchedRule;
    LastRuleText = FormatRule(m_definitions.Items(k).Rules.at(static_cast<size_t>(LastRule)));
    AppSwitching = true;
    SelectIndex(b);
    AppSwitching = false;
}

void TWorkButtons::ClearAppInfo() {
    LastExeName.clear();
    LastWindowTitle.clear();
    LastRule = -1;
    LastRuleText.clear();
}

} // namespace zanpel
