// The selection of the work buttons: the one pressed of the exclusive group,
// the one pressed before it, the clicks that change them and the events
// they fire, and the buttons loaded or deleted with the selection kept.
#pragma once

#include "app/buttoncells.h"

#include <functional>
#include <string>

namespace zanpel {

class TAppSwitch;

class TButtonSelection : public TButtonCells {
public:
    // Events (sender omitted: there is one bar).
    std::function<void(int id, bool stat)> OnClickButton;
    std::function<void(int id)> OnButtonNotify;
    std::function<void(int id, bool stat)> OnSelected;

    TMultiButton* Current() const { return m_current; }
    int ItemIndex() const { return m_itemIndex; }
    int PreviousIndex() const { return m_previousIndex; }
    bool LastDown() const { return m_lastDown; }

    // One button per definition, in their order; the selected button and the
    // one before it stay selected by name.
    void LoadButtons(const TAppSwitch& definitions);
    void ClearButtons();
    void DeleteButton(int i);
    bool IsSelectedName(const std::string& name) const;
    void SelectByName(const std::string& name);
    void SelectIndex(int i);

    // Input from the widget.
    void ClickMainButton(int id);
    void ClickDetailButton(int id);

private:
    void SetCurrent(TMultiButton* button);
    void SetDown(TMultiButton& button, bool down);

    TMultiButton* m_current = nullptr;
    int m_itemIndex = -1;
    int m_previousIndex = 0;
    bool m_lastDown = false;
};

} // namespace zanpel
