#include "app/baractions.h"

#include "app/baricons.h"
#include "app/toolstrip.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>
#include <QWidget>

namespace zanpel {
namespace {

QAction* MakeAction(QWidget* owner, const char* name, const QString& caption, const QString& hint,
                    const QKeySequence& shortcut) {
    auto* action = new QAction(caption, owner);
    action->setObjectName(name);
    action->setToolTip(hint.isEmpty() ? QString(caption).remove('&') : hint);
    action->setStatusTip(hint);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    owner->addAction(action);
    return action;
}

QAction* WithIcon(QAction* action, BarIcon icon) {
    action->setIcon(MakeBarIcon(icon));
    return action;
}

void AddSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(name);
}

QMenu* MakePanelPopup(QWidget* owner, const TBarActions& a) {
    auto* menu = new QMenu(owner);
    menu->setObjectName("PopupMenu1");
    menu->addAction(a.NewWork);
    menu->addAction(a.DeleteItem);
    AddSeparator(menu, "N3");
    menu->addAction(a.ResetItem);
    menu->addAction(a.ResetAll);
    AddSeparator(menu, "N2");
    menu->addAction(a.ReportAction);
    menu->addAction(a.SwitchHistoryAction);
    AddSeparator(menu, "N5");
    menu->addAction(a.HideAction);
    AddSeparator(menu, "N8");
    menu->addAction(a.AppSwitchAction);
    menu->addAction(a.AppListAction);
    AddSeparator(menu, "N15");
    menu->addAction(a.SetupAction);
    AddSeparator(menu, "N1");
    menu->addAction(a.AboutAction);
    return menu;
}

QMenu* MakeAppListPopup(QWidget* owner, const TBarActions& a) {
    auto* menu = new QMenu(owner);
    menu->setObjectName("EditPopup");
    menu->addAction(a.DeleteLines);
    menu->addAction(a.ClearLines);
    AddSeparator(menu, "N13");
    menu->addAction(a.HideAction);
    AddSeparator(menu, "N18");
    menu->addAction(a.AppSwitchAction);
    menu->addAction(a.AppListAction);
    AddSeparator(menu, "N19");
    menu->addAction(a.SetupAction);
    AddSeparator(menu, "N6");
    menu->addAction(a.AboutAction);
    return menu;
}

} // namespace

TBarActions CreateBarActions(QWidget* owner) {
    TBarActions a;
    a.ExitAction = WithIcon(MakeAction(owner, "ExitAction", "終了", "アプリケーション終了", {}),
                            BarIcon::Exit);
    a.ReportAction = WithIcon(MakeAction(owner, "ReportAction", "レポート(&R)", "作業レポート",
                                         QKeySequence(Qt::CTRL | Qt::Key_R)),
                              BarIcon::Report);
    a.SetupAction = WithIcon(MakeAction(owner, "SetupAction", "設定(&S)", "オプション設定",
                                        QKeySequence(Qt::CTRL | Qt::Key_S)),
                             BarIcon::Setup);
    a.HideAction = WithIcon(MakeAction(owner, "HideAction", "自動的に隠す", "自動的に隠す",
                                       QKeySequence(Qt::CTRL | Qt::Key_W)),
                            BarIcon::AutoHideOn);
    a.HideAction->setCheckable(true);
    a.AppSwitchAction = WithIcon(MakeAction(owner, "ApSwAction", "APP切換モード", "APP切換有効",
                                            QKeySequence(Qt::CTRL | Qt::Key_A)),
                                 BarIcon::AppSwitchOn);
    a.AppSwitchAction->setCheckable(true);
    a.AppListAction =
        WithIcon(MakeAction(owner, "ViewAction", "APPリストを表示(&V)",
                            "検出リストビューの表示/非表示", QKeySequence(Qt::CTRL | Qt::Key_V)),
                 BarIcon::AppList);
    a.AppListAction->setCheckable(true);
    a.AboutAction = MakeAction(owner, "AboutAction", "バージョン情報(&V)", {}, {});
    a.SwitchHistoryAction =
        MakeAction(owner, "SwitchHistoryAction", "切換え履歴(&H)", "自動切換えの履歴と理由",
                   QKeySequence(Qt::CTRL | Qt::Key_H));

    a.NewWork = MakeAction(owner, "N_NewWork", "新しい作業(&N)", {}, QKeySequence(Qt::Key_Insert));
    a.DeleteItem = MakeAction(owner, "N_Delete", "項目削除(&D)", {}, QKeySequence(Qt::Key_Delete));
    a.ResetItem = MakeAction(owner, "N_Reset", "時間リセット(&T)", {}, QKeySequence(Qt::Key_F5));
    a.ResetAll = MakeAction(owner, "N_AllReset", "全時間リセット(&A)", {},
                            QKeySequence(Qt::SHIFT | Qt::Key_F5));
    a.MenuKeys = new QAction(owner);
    a.MenuKeys->setObjectName("MenuKeys");
    a.MenuKeys->setShortcuts({QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)});
    a.MenuKeys->setShortcutContext(Qt::WindowShortcut);
    owner->addAction(a.MenuKeys);
    a.DeleteLines = new QAction("リストから削除", owner);
    a.DeleteLines->setObjectName("N_Del");
    a.ClearLines = new QAction("全部削除", owner);
    a.ClearLines->setObjectName("N16");

    a.PanelPopup = MakePanelPopup(owner, a);
    a.AppListPopup = MakeAppListPopup(owner, a);
    return a;
}

void FillToolStrip(TToolStrip& strip, const TBarActions& actions) {
    QToolButton* exit = strip.AddButton("ToolButton1");
    exit->setIcon(MakeBarIcon(BarIcon::Exit));
    exit->setToolTip("アプリ終了");
    exit->setAccessibleName("終了");
    QObject::connect(exit, &QToolButton::clicked, actions.ExitAction, &QAction::trigger);
    const struct {
        QAction* action;
        const char* name;
    } buttons[] = {{actions.SetupAction, "SetupBtn"},
                   {actions.ReportAction, "SumList"},
                   {actions.HideAction, "HideBtn"},
                   {actions.AppSwitchAction, "LockBtn"},
                   {actions.AppListAction, "ToolButton3"}};
    for (const auto& [action, name] : buttons) {
        // Separators stand before the setup, report and hide buttons and the
        // APP list button.
        if (action != actions.AppSwitchAction)
            strip.AddSeparator();
        strip.AddAction(action, name);
    }
}

} // namespace zanpel
