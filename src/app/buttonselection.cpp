#include "app/buttonselection.h"

#include "tracking/appswitch.h"

namespace zanpel {

void TButtonSelection::LoadButtons(const TAppSwitch& definitions) {
    const std::string selected = m_current ? m_current->Name : std::string();
    // The item to go back to after a rest period is kept as well, by name.
    const std::string previous = m_previousIndex >= 0 && m_previousIndex < ButtonCount()
                                     ? Buttons(m_previousIndex).Name
                                     : std::string();
    ClearButtons();
    UpdatingScope updating(*this);
    for (int i = 0; i < definitions.Count(); ++i) {
        const std::string name = definitions.GetField(i, 0);
        if (!name.empty())
            CreateButton(name);
    }
    LayoutButtons(Width(), Height());
    SelectIndex(IndexOfName(selected));
    m_previousIndex = IndexOfName(previous);
    Changed();
}

void TButtonSelection::ClearButtons() {
    ButtonList().clear();
    m_current = nullptr;
    m_itemIndex = -1;
    Changed();
}

void TButtonSelection::DeleteButton(int i) {
    if (i < 0 || i >= ButtonCount())
        return;
    if (i == m_itemIndex)
        SelectIndex(-1);
    auto& buttons = ButtonList();
    buttons.erase(buttons.begin() + i);
    // The index selected before may now point elsewhere: follow the move.
    if (m_previousIndex == i)
        m_previousIndex = -1;
    else if (m_previousIndex > i)
        --m_previousIndex;
    LayoutButtons(Width(), Height());
    m_itemIndex = m_current ? m_current->Id : -1;
    Changed();
}

bool TButtonSelection::IsSelectedName(const std::string& name) const {
    return m_itemIndex >= 0 && m_itemIndex == IndexOfName(name);
}

void TButtonSelection::SelectByName(const std::string& name) {
    const int i = IndexOfName(name);
    if (i >= 0)
        SelectIndex(i);
}

void TButtonSelection::SelectIndex(int i) {
    if (Style() != TListButtonStyle::tbsCheck || i == m_itemIndex || ButtonList().empty())
        return;
    if (m_current && AllowAllUp())
        SetDown(*m_current, false);
    SetCurrent(i >= 0 && i < ButtonCount() ? &Buttons(i) : nullptr);
}

void TButtonSelection::SetDown(TMultiButton& button, bool down) {
    // The toggle buttons form one group: lowering one raises the others.
    if (down && button.GroupIndex != 0)
        for (auto& other : ButtonList())
            if (other.get() != &button && other->GroupIndex == button.GroupIndex)
                other->Down = false;
    button.Down = down;
}

void TButtonSelection::SetCurrent(TMultiButton* button) {
    m_previousIndex = m_itemIndex;
    m_itemIndex = -1;
    if (m_current) {
        m_current->Bold = false;
        m_current->TimeBlack = false;
    }
    m_current = button;
    if (button) {
        SetDown(*button, true);
        m_itemIndex = button->Id;
        m_lastDown = true;
        button->Bold = true;
        button->TimeBlack = true;
    }
    Changed();
    if (!Updating() && OnSelected)
        OnSelected(m_itemIndex, button != nullptr);
}

void TButtonSelection::ClickMainButton(int id) {
    if (id < 0 || id >= ButtonCount())
        return;
    TMultiButton& button = Buttons(id);
    // The platform's group toggle first: a raised button goes down; the down
    // one comes up only when the group allows all buttons up.
    if (!button.Down)
        SetDown(button, true);
    else if (button.AllowAllUp || button.GroupIndex == 0)
        SetDown(button, false);
    Changed();

    if (Style() == TListButtonStyle::tbsCheck && button.Id == m_itemIndex &&
        button.Down == m_lastDown)
        return;
    m_lastDown = button.Down;
    const int clicked = button.Down ? button.Id : -1;
    if (OnClickButton)
        OnClickButton(clicked, button.Down);
    SelectIndex(clicked);
}

void TButtonSelection::ClickDetailButton(int id) {
    if (id >= 0 && id < ButtonCount() && OnButtonNotify)
        OnButtonNotify(id);
}

} // namespace zanpel
