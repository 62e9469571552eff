#include "app/workbuttons.h"

#include "records/textcodec.h"
#include "tracking/appswitch.h"

#include <algorithm>

namespace zanpel {
namespace {

const std::string& EditCaption() {
    static const std::string caption = Utf8ToCp932("編集");
    return caption;
}

} // namespace

class TWorkButtons::UpdatingScope {
public:
    explicit UpdatingScope(TWorkButtons& bar) : m_bar(bar), m_old(bar.m_updating) {
        bar.m_updating = true;
    }
    ~UpdatingScope() { m_bar.m_updating = m_old; }
    UpdatingScope(const UpdatingScope&) = delete;
    UpdatingScope& operator=(const UpdatingScope&) = delete;

private:
    TWorkButtons& m_bar;
    bool m_old;
};

void TMultiButton::SetCell(int x, int y, int height, int width) {
    CellRect = TRect::FromSize(x, y, width, height);
    const int row = std::min(height / 2, 20);
    const int mainHeight = height - row;
    const int timeWidth = width - 29;
    if (ListAlign == TListAlign::laTop) {
        MainRect = TRect::FromSize(x + 1, y + 1, width - 2, mainHeight);
        TimeRect = TRect::FromSize(x + 1, y + 1 + mainHeight, timeWidth, row - 1);
        DetailRect = TRect::FromSize(x + 1 + timeWidth, y + 1 + mainHeight, 28, row - 1);
    } else {
        MainRect = TRect::FromSize(x + 1, y + 1 + row, width - 2, mainHeight);
        TimeRect = TRect::FromSize(x + 1, y + 1, timeWidth, row - 1);
        DetailRect = TRect::FromSize(x + 1 + timeWidth, y + 1, 28, row - 1);
    }
}

TWorkButtons::TWorkButtons(TAppSwitch& definitions) : m_definitions(definitions) {}

TWorkButtons::~TWorkButtons() = default;

void TWorkButtons::Changed() const {
    if (OnChange)
        OnChange();
}

TMultiButton& TWorkButtons::CreateButton(const std::string& name) {
    auto button = std::make_unique<TMultiButton>();
    button->Name = name;
    button->DetailCaption = EditCaption();
    button->GroupIndex = m_style == TListButtonStyle::tbsCheck ? WorkButtonGroup : 0;
    button->Flat = m_flat;
    button->AllowAllUp = m_allowAllUp;
    button->Id = ButtonCount();
    button->TimeBlack = false;
    button->ListAlign = m_listAlign;
    m_buttons.push_back(std::move(button));
    return *m_buttons.back();
}

int TWorkButtons::AddButton(const std::string& name) {
    UpdatingScope updating(*this);
    CreateButton(name);
    LayoutButtons(m_width, m_height);
    Changed();
    return ButtonCount() - 1;
}

void TWorkButtons::LoadButtons(const TAppSwitch& definitions) {
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
    LayoutButtons(m_width, m_height);
    SelectIndex(IndexOfName(selected));
    m_previousIndex = IndexOfName(previous);
    Changed();
}

void TWorkButtons::ClearButtons() {
    m_buttons.clear();
    m_current = nullptr;
    m_itemIndex = -1;
    Changed();
}

void TWorkButtons::DeleteButton(int i) {
    if (i < 0 || i >= ButtonCount())
        return;
    if (i == m_itemIndex)
        SelectIndex(-1);
    m_buttons.erase(m_buttons.begin() + i);
    // The index selected before may now point elsewhere: follow the move.
    if (m_previousIndex == i)
        m_previousIndex = -1;
    else if (m_previousIndex > i)
        --m_previousIndex;
    LayoutButtons(m_width, m_height);
    m_itemIndex = m_current ? m_current->Id : -1;
    Changed();
}

int TWorkButtons::IndexOfName(const std::string& name) const {
    if (name.empty())
        return -1;
    for (int i = 0; i < ButtonCount(); ++i)
        if (Buttons(i).Name == name)
            return i;
    return -1;
}

bool TWorkButtons::IsSelectedName(const std::string& name) const {
    return m_itemIndex >= 0 && m_itemIndex == IndexOfName(name);
}

void TWorkButtons::SelectByName(const std::string& name) {
    const int i = IndexOfName(name);
    if (i >= 0)
        SelectIndex(i);
}

void TWorkButtons::SelectIndex(int i) {
    if (m_style != TListButtonStyle::tbsCheck || i == m_itemIndex || m_buttons.empty())
        return;
    if (m_current && m_allowAllUp)
        SetDown(*m_current, false);
    SetCurrent(i >= 0 && i < ButtonCount() ? &Buttons(i) : nullptr);
}

void TWorkButtons::SetDown(TMultiButton& button, bool down) {
    // The toggle buttons form one group: lowering one raises the others.
    if (down && button.GroupIndex != 0)
        for (auto& other : m_buttons)
            if (other.get() != &button && other->GroupIndex == button.GroupIndex)
                other->Down = false;
    button.Down = down;
}

void TWorkButtons::SetCurrent(TMultiButton* button) {
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
    if (!m_updating && OnSelected)
        OnSelected(m_itemIndex, button != nullptr);
}

TMultiButton* TWorkButtons::ButtonAt(int x, int y) const {
    for (const auto& button : m_buttons)
        if (button->CellRect.Contains(x, y))
            return button.get();
    return nullptr;
}

TPoint TWorkButtons::SetBounds(int width, int height) {
    if (!m_updating) {
        m_width = width;
        m_height = height;
    }
    FitSize(m_width, m_height);
    return {m_width, m_height};
}

void TWorkButtons::FitSize(int w, int h) {
    m_width = std::max(w, 15);
    m_height = std::max(h, 15);
    LayoutButtons(m_width, m_height);
    Changed();
}

void TWorkButtons::LayoutButtons(int w, int h) {
    const int n = ButtonCount();
    if (n == 0)
        return;
    const int innerW = w - 2;
    const int innerH = h - 2;
    const bool vertical = m_buttonAlign == TButtonAlign::baVertical;
    const int cellW = vertical ? innerW : innerW / n;
    const int cellH = vertical ? innerH / n : innerH;
    int x = vertical ? 1 : (innerW % n) / 2 + 1;
    int y = vertical ? (innerH % n) / 2 + 1 : 1;
    for (int i = 0; i < n; ++i) {
        TMultiButton& button = Buttons(i);
        button.Id = i;
        button.SetCell(x, y, cellH, cellW);
        (vertical ? y : x) += vertical ? cellH : cellW;
    }
}

void TWorkButtons::ClickMainButton(int id) {
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

    if (m_style == TListButtonStyle::tbsCheck && button.Id == m_itemIndex &&
        button.Down == m_lastDown)
        return;
    m_lastDown = button.Down;
    const int clicked = button.Down ? button.Id : -1;
    if (OnClickButton)
        OnClickButton(clicked, button.Down);
    SelectIndex(clicked);
}

void TWorkButtons::ClickDetailButton(int id) {
    if (id >= 0 && id < ButtonCount() && OnButtonNotify)
        OnButtonNotify(id);
}

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
        b != m_itemIndex || exeName != LastExeName || windowTitle != LastWindowTitle;
    LastExeName = exeName;
    LastWindowTitle = windowTitle;
    if (!changed)
        return;
    AppSwitching = true;
    SelectIndex(b);
    AppSwitching = false;
}

void TWorkButtons::ClearAppInfo() {
    LastExeName.clear();
    LastWindowTitle.clear();
}

void TWorkButtons::SetButtonAlign(TButtonAlign value) {
    m_buttonAlign = value;
    FitSize(m_width, m_height);
}

void TWorkButtons::SetListAlign(TListAlign value) {
    if (value == m_listAlign)
        return;
    m_listAlign = value;
    for (auto& button : m_buttons)
        button->ListAlign = value;
    Changed();
}

void TWorkButtons::SetFlat(bool value) {
    if (value == m_flat)
        return;
    m_flat = value;
    for (auto& button : m_buttons)
        button->Flat = value;
    Changed();
}

void TWorkButtons::SetStyle(TListButtonStyle value) {
    if (value == m_style)
        return;
    m_style = value;
    for (auto& button : m_buttons)
        button->GroupIndex = value == TListButtonStyle::tbsCheck ? WorkButtonGroup : 0;
}

void TWorkButtons::SetAllowAllUp(bool value) {
    if (value == m_allowAllUp)
        return;
    m_allowAllUp = value;
    for (auto& button : m_buttons)
        button->AllowAllUp = value;
}

void TWorkButtons::SetTimeText(int i, const std::string& text) {
    if (i < 0 || i >= ButtonCount() || Buttons(i).TimeText == text)
        return;
    Buttons(i).TimeText = text;
    Changed();
}

void TWorkButtons::SetDetailEnabled(int i, bool enabled) {
    if (i < 0 || i >= ButtonCount() || Buttons(i).DetailEnabled == enabled)
        return;
    Buttons(i).DetailEnabled = enabled;
    Changed();
}

} // namespace zanpel
