// The work button bar as state: one toggle button per work item in one
// exclusive group, the selection and its events, the cell layout, and the
// switch by application rules. The widget draws this state and forwards
// clicks; tests drive it without a display.
#pragma once

#include "app/rect.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zanpel {

class TAppSwitch;

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

class TWorkButtons {
public:
    // definitions: the work definitions used by SwitchByApplication.
    explicit TWorkButtons(TAppSwitch& definitions);
    ~TWorkButtons();
    TWorkButtons(const TWorkButtons&) = delete;
    TWorkButtons& operator=(const TWorkButtons&) = delete;

    // Events (sender omitted: there is one bar).
    std::function<void(int id, bool stat)> OnClickButton;
    std::function<void(int id)> OnButtonNotify;
    std::function<void(int id, bool stat)> OnSelected;
    // Fired after anything the widget shows has changed.
    std::function<void()> OnChange;

    int ButtonCount() const { return static_cast<int>(m_buttons.size()); }
    TMultiButton& Buttons(int i) { return *m_buttons.at(static_cast<size_t>(i)); }
    const TMultiButton& Buttons(int i) const { return *m_buttons.at(static_cast<size_t>(i)); }
    TMultiButton* Current() const { return m_current; }
    int ItemIndex() const { return m_itemIndex; }
    int PreviousIndex() const { return m_previousIndex; }
    bool LastDown() const { return m_lastDown; }
    bool Updating() const { return m_updating; }

    int AddButton(const std::string& name);
    void LoadButtons(const TAppSwitch& definitions);
    void ClearButtons();
    void DeleteButton(int i);
    int IndexOfName(const std::string& name) const;
    bool IsSelectedName(const std::string& name) const;
    void SelectByName(const std::string& name);
    void SelectIndex(int i);
    TMultiButton* ButtonAt(int x, int y) const;

    // The bar's size; sizes below 15 x 15 are raised. Returns the size taken.
    TPoint SetBounds(int width, int height);
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void LayoutButtons(int w, int h);
    void FitSize(int w, int h);

    // Input from the widget.
    void ClickMainButton(int id);
    void ClickDetailButton(int id);

    bool AppSwitchActive = false;
    bool AppSwitching = false;
    std::string LastExeName;
    std::string LastWindowTitle;
    void SwitchByApplication(const std::string& exeName, const std::string& windowTitle);
    void ClearAppInfo();

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

private:
    // Sets Updating for a scope, also when it is left by an exception.
    class UpdatingScope;
    TMultiButton& CreateButton(const std::string& name);
    void SetCurrent(TMultiButton* button);
    void SetDown(TMultiButton& button, bool down);
    void Changed() const;

    TAppSwitch& m_definitions;
    std::vector<std::unique_ptr<TMultiButton>> m_buttons;
    TMultiButton* m_current = nullptr;
    int m_itemIndex = -1;
    int m_previousIndex = 0;
    bool m_lastDown = false;
    bool m_updating = false;
    int m_width = 80;
    int m_height = 25;
    TButtonAlign m_buttonAlign = TButtonAlign::baHorizontal;
    TListAlign m_listAlign = TListAlign::laTop;
    TListButtonStyle m_style = TListButtonStyle::tbsCheck;
    bool m_flat = false;
    bool m_allowAllUp = false;
};

} // namespace zanpel
