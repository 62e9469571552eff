#include "app/buttoncells.h"

#include "records/textcodec.h"

#include <algorithm>

namespace zanpel {
namespace {

const std::string& EditCaption() {
    static const std::string caption = Utf8ToCp932("編集");
    return caption;
}

} // namespace

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

void TButtonCells::Changed() const {
    if (OnChange)
        OnChange();
}

TMultiButton& TButtonCells::CreateButton(const std::string& name) {
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

int TButtonCells::AddButton(const std::string& name) {
    UpdatingScope updating(*this);
    CreateButton(name);
    LayoutButtons(m_width, m_height);
    Changed();
    return ButtonCount() - 1;
}

int TButtonCells::IndexOfName(const std::string& name) const {
    if (name.empty())
        return -1;
    for (int i = 0; i < ButtonCount(); ++i)
        if (Buttons(i).Name == name)
            return i;
    return -1;
}

TMultiButton* TButtonCells::ButtonAt(int x, int y) const {
    for (const auto& button : m_buttons)
        if (button->CellRect.Contains(x, y))
            return button.get();
    return nullptr;
}

TPoint TButtonCells::SetBounds(int width, int height) {
    if (!m_updating) {
        m_width = width;
        m_height = height;
    }
    FitSize(m_width, m_height);
    return {m_width, m_height};
}

void TButtonCells::FitSize(int w, int h) {
    m_width = std::max(w, 15);
    m_height = std::max(h, 15);
    LayoutButtons(m_width, m_height);
    Changed();
}

void TButtonCells::LayoutButtons(int w, int h) {
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

void TButtonCells::SetButtonAlign(TButtonAlign value) {
    m_buttonAlign = value;
    FitSize(m_width, m_height);
}

void TButtonCells::SetListAlign(TListAlign value) {
    if (value == m_listAlign)
        return;
    m_listAlign = value;
    for (auto& button : m_buttons)
        button->ListAlign = value;
    Changed();
}

void TButtonCells::SetFlat(bool value) {
    if (value == m_flat)
        return;
    m_flat = value;
    for (auto& button : m_buttons)
        button->Flat = value;
    Changed();
}

void TButtonCells::SetStyle(TListButtonStyle value) {
    if (value == m_style)
        return;
    m_style = value;
    for (auto& button : m_buttons)
        button->GroupIndex = value == TListButtonStyle::tbsCheck ? WorkButtonGroup : 0;
}

void TButtonCells::SetAllowAllUp(bool value) {
    if (value == m_allowAllUp)
        return;
    m_allowAllUp = value;
    for (auto& button : m_buttons)
        button->AllowAllUp = value;
}

void TButtonCells::SetTimeText(int i, const std::string& text) {
    if (i < 0 || i >= ButtonCount() || Buttons(i).TimeText == text)
        return;
    Buttons(i).TimeText = text;
    Changed();
}

void TButtonCells::SetDetailEnabled(int i, bool enabled) {
    if (i < 0 || i >= ButtonCount() || Buttons(i).DetailEnabled == enabled)
        return;
    Buttons(i).DetailEnabled = enabled;
    Changed();
}

} // namespace zanpel
