// The work buttons as cells of the bar: one toggle button per work item with
// its time row and edit button, their look (flat, check style, time row above
// or below) and their layout in a row or a column of the bar's size.
#pragma once

#include "app/rect.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zanpel {

enum class TButtonAlign { baHorizontal, baVertical };
enum class TListAlign { laTop, laBottom };
enum class TListButtonStyle { tbsButton, tbsCheck };

// The group index of the work buttons: pressing one raises the others.
inline constexpr int WorkButtonGroup = 10;

// One work button: the toggle button with the item's name, the time row and
// the small "編集" button. Texts are CP932.
class TMultiButton {
public:
    std::string Name;
    std::string TimeText;
    std::string DetailCaption;
    TRect CellRect;
    TListAlign ListAlign = TListAlign::laTop;
    int Id = 0;
    int GroupIndex = 0;
    bool Flat = false;
    bool AllowAllUp = false;
    bool Down = false;
    bool Bold = false;      // the selected button's caption
    bool TimeBlack = false; // selected: black time text; otherwise gray
    bool DetailEnabled = true;
    // Where the three parts sit, in bar coordinates (set by SetCell).
    TRect MainRect;
    TRect TimeRect;
    TRect DetailRect;

    void SetCell(int x, int y, int height, int width);
};

class TButtonCells {
public:
    TButtonCells() = default;
    TButtonCells(const TButtonCells&) = delete;
    TButtonCells& operator=(const TButtonCells&) = delete;

    // Fired after anything the widget shows has changed.
    std::function<void()> OnChange;

    int ButtonCount() const { return static_cast<int>(m_buttons.size()); }
    TMultiButton& Buttons(int i) { return *m_buttons.at(static_cast<size_t>(i)); }
    const TMultiButton& Buttons(int i) const { return *m_buttons.at(static_cast<size_t>(i)); }
    int AddButton(const std::string& name);
    int IndexOfName(const std::string& name) const;
    TMultiButton* ButtonAt(int x, int y) const;
    bool Updating() const { return m_updating; }

    // The bar's size; sizes below 15 x 15 are raised. Returns the size taken.
    TPoint SetBounds(int width, int height);
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void LayoutButtons(int w, int h);
    void FitSize(int w, int h);

    TButtonAlign ButtonAlign() const { return m_buttonAlign; }
    TListAlign ListAlign() const { return m_listAlign; }
    TListButtonStyle Style() const { return m_style; }
    bool Flat() const { return m_flat; }
    bool AllowAllUp() const { return m_allowAllUp; }
    void SetButtonAlign(TButtonAlign value);
    void SetListAlign(TListAlign value);
    void SetFlat(bool value);
    void SetStyle(TListButtonStyle value);
    void SetAllowAllUp(bool value);

    // Time text and edit button of one button, as the timing loop sets them.
    void SetTimeText(int i, const std::string& text);
    void SetDetailEnabled(int i, bool enabled);

protected:
    // Sets Updating for a scope, also when it is left by an exception.
    class UpdatingScope;
    // A button with the bar's look at the end, not yet laid out.
    TMultiButton& CreateButton(const std::string& name);
    std::vector<std::unique_ptr<TMultiButton>>& ButtonList() { return m_buttons; }
    void Changed() const;

private:
    std::vector<std::unique_ptr<TMultiButton>> m_buttons;
    bool m_updating = false;
    int m_width = 80;
    int m_height = 25;
    TButtonAlign m_buttonAlign = TButtonAlign::baHorizontal;
    TListAlign m_listAlign = TListAlign::laTop;
    TListButtonStyle m_style = TListButtonStyle::tbsCheck;
    bool m_flat = false;
    bool m_allowAllUp = false;
};

class TButtonCells::UpdatingScope {
public:
    explicit UpdatingScope(TButtonCells& bar) : m_bar(bar), m_old(bar.m_updating) {
        bar.m_updating = true;
    }
    ~UpdatingScope() { m_bar.m_updating = m_old; }
    UpdatingScope(const UpdatingScope&) = delete;
    UpdatingScope& operator=(const UpdatingScope&) = delete;

private:
    TButtonCells& m_bar;
    bool m_old;
};

} // namespace zanpel
