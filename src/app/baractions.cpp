#include "app/baractions.h"

#include "app/baricons.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
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

void AddSeparator(QMenu* menu, const char* name) { menu->addSeparator()->setObjectName(name); }

QMenu* MakePopupMenu1(QWidget* owner, const TBarActions& a) {
    auto* menu = new QMenu(owner);
    menu->setObjectName("PopupMenu1");
    menu->addAction(a.N_NewWork);
    menu->addAction(a.N_Delete);
    AddSeparator(menu, "N3");
    menu->addAction(a.N_Reset);
    menu->addAction(a.N_AllReset);
    AddSeparator(menu, "N2");
    menu->addAction(a.ReportAction);
    AddSeparator(menu, "N5");
    menu->addAction(a.HideAction);
    AddSeparator(menu, "N8");
    menu->addAction(a.ApSwAction);
    menu->addAction(a.ViewAction);
    AddSeparator(menu, "N15");
    menu->addAction(a.SetupAction);
    AddSeparator(menu, "N1");
    menu->addAction(a.AboutAction);
    return menu;
}

QMenu* MakeEditPopup(QWidget* owner, const TBarActions& a) {
    auto* menu = new QMenu(owner);
    menu->setObjectName("EditPopup");
    menu->addAction(a.N_Del);
    menu->addAction(a.N16);
    AddSeparator(menu, "N13");
    menu->addAction(a.HideAction);
    AddSeparator(menu, "N18");
    menu->addAction(a.ApSwAction);
    menu->addAction(a.ViewAction);
    AddSeparator(menu, "N19");
    menu->addAction(a.SetupAction);
    AddSeparator(menu, "N6");
    menu->addAction(a.AboutAction);
    return menu;
}

} // namespace

TBarActions CreateBarActions(QWidget* owner) {
    TBarActions a;
    a.ExitAction = WithIcon(
        MakeAction(owner, "ExitAction", "終了", "アプリケーション終了", {}), BarIcon::Exit);
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
    a.ApSwAction = WithIcon(MakeAction(owner, "ApSwAction", "APP切換モード", "APP切換有効",
                                       QKeySequence(Qt::CTRL | Qt::Key_A)),
                            BarIcon::AppSwitchOn);
    a.ApSwAction->setCheckable(true);
    a.ViewAction = WithIcon(MakeAction(owner, "ViewAction", "APPリストを表示(&V)",
                                       "検出リストビューの表示/非表示",
                                       QKeySequence(Qt::CTRL | Qt::Key_V)),
                            BarIcon::AppList);
    a.ViewAction->setCheckable(true);
    a.AboutAction = MakeAction(owner, "AboutAction", "バージョン情報(&V)", {}, {});

    a.N_NewWork = MakeAction(owner, "N_NewWork", "新しい作業(&N)", {}, QKeySequence(Qt::Key_Insert));
    a.N_Delete = MakeAction(owner, "N_Delete", "項目削除(&D)", {}, QKeySequence(Qt::Key_Delete));
    a.N_Reset = MakeAction(owner, "N_Reset", "時間リセット(&T)", {}, QKeySequence(Qt::Key_F5));
    a.N_AllReset = MakeAction(owner, "N_AllReset", "全時間リセット(&A)", {},
                              QKeySequence(Qt::SHIFT | Qt::Key_F5));
    a.MenuKeys = new QAction(owner);
    a.MenuKeys->setObjectName("MenuKeys");
    a.MenuKeys->setShortcuts({QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)});
    a.MenuKeys->setShortcutContext(Qt::WindowShortcut);
    owner->addAction(a.MenuKeys);
    a.N_Del = new QAction("リストから削除", owner);
    a.N_Del->setObjectName("N_Del");
    a.N16 = new QAction("全部削除", owner);
    a.N16->setObjectName("N16");

    a.PopupMenu1 = MakePopupMenu1(owner, a);
    a.EditPopup = MakeEditPopup(owner, a);
    return a;
}

void FillToolBar(QToolBar* bar, const TBarActions& actions) {
    bar->setIconSize(QSize(12, 12));
    auto* exit = new QToolButton(bar);
    exit->setObjectName("ToolButton1");
    exit->setIcon(MakeBarIcon(BarIcon::Exit));
    exit->setToolTip("アプリ終了");
    exit->setAutoRaise(true);
    // Out of the tab chain, like the other tool buttons: a stray Space must
    // never end the program.
    exit->setFocusPolicy(Qt::NoFocus);
    QObject::connect(exit, &QToolButton::clicked, actions.ExitAction, &QAction::trigger);
    bar->addWidget(exit);
    const struct {
        QAction* action;
        const char* name;
    } buttons[] = {{actions.SetupAction, "SetupBtn"}, {actions.ReportAction, "SumList"},
                   {actions.HideAction, "HideBtn"},   {actions.ApSwAction, "LockBtn"},
                   {actions.ViewAction, "ToolButton3"}};
    for (const auto& [action, name] : buttons) {
        // Separators stand before the setup, report and hide buttons and the
        // APP list button, as on the original tool bar.
        if (action != actions.ApSwAction)
            bar->addSeparator();
        bar->addAction(action);
        if (QWidget* button = bar->widgetForAction(action))
            button->setObjectName(name);
    }
    for (QToolButton* button : bar->findChildren<QToolButton*>())
        button->setFixedSize(19, 18);
}

} // namespace zanpel
