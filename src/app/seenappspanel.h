// The APP list: the applications seen in front, one line "exe/title" per
// program, brought up to date on every idle pass of the event loop (which also
// switches the work items by application). It lies at the far end of the bar
// behind a splitter that sizes it, and its menu deletes lines; the settings
// dialog offers its lines as rules. Its list box is made when it is first
// shown: until then the lines are kept in memory.
#pragma once

#include "app/foregrounddetector.h"

#include <QObject>
#include <QRect>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QListWidget;
class QWidget;

namespace zanpel {

class ForegroundSource;
class TBarPlacement;
class TInitParam;
class TSplitterHandle;
class TWorkButtons;
struct TBarActions;

class TSeenAppsPanel : public QObject {
    Q_OBJECT
public:
    struct Environment {
        // Names the application in front; none: a null source.
        std::shared_ptr<ForegroundSource> Foreground;
        // One line per line changed and per switch (none: not traced).
        std::function<void(const std::string& line)> Trace;
    };

    // Connects the splitter and the menu's commands; the list box, once made,
    // lies on bar.
    TSeenAppsPanel(QWidget& bar, TSplitterHandle& splitter, const TBarActions& actions,
                   TWorkButtons& buttons, TInitParam& settings, const TBarPlacement& placement,
                   Environment environment);

    // The source in use: the environment's, or a null source.
    const ForegroundSource& Foreground() const;
    // The lines (CP932), for the rules the settings dialog offers.
    std::vector<std::string> AppListLines() const;
    // The list box, once the list has been shown; none before.
    QListWidget* List() const { return m_list; }

    // Runs DetectForegroundPass on every idle pass of the event loop.
    void InstallDetectForeground();
    void DetectForegroundPass();

    // Shows or hides the list with its splitter.
    void SetVisible(bool visible);
    // Lays the list, when shown, and its splitter at the end of free, the bar
    // docked at align; answers the room left.
    QRect PlaceAppList(QRect free, int align);
    // After the splitter changed the list's size.
    std::function<void()> Resized;

    // The handlers of the list, its menu and its splitter.
    void EditPopupPopup() { EnableDeleteForSelection(); }
    void N_DelClick() { DeleteSelectedLines(); }
    void N16Click() { ClearSeenApplications(); }
    void AppListClick() { ShowCurrentLineAsHint(); }
    void Splitter1Moved(int extent) { SetListExtent(extent); }

    void EnableDeleteForSelection();
    void DeleteSelectedLines();
    void ClearSeenApplications();
    // The whole of a long line can be read in the list's tool tip.
    void ShowCurrentLineAsHint();
    // Remembers the list's size across the bar (per direction) and lays it out.
    void SetListExtent(int extent);

private:
    // The list box, made at the first call and filled with the lines kept so far.
    QListWidget& ListBox();

    QWidget& m_bar;
    QListWidget* m_list = nullptr;
    TAppLineList m_unshown; // the lines while there is no list box
    TSplitterHandle& m_splitter;
    const TBarActions& m_actions;
    TWorkButtons& m_buttons;
    TInitParam& m_settings;
    const TBarPlacement& m_placement;
    Environment m_env;
    bool m_idleDue = true;    // the loop woke since the last idle pass
    bool m_detecting = false; // an idle pass is running
    bool m_detectInstalled = false;
};

} // namespace zanpel
