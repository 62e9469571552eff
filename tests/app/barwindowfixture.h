// The bar window on the offscreen platform with its work list, settings and
// dialogs answered by the test, on a fixed clock.
#pragma once

#include "app/messagebox.h"
#include "app/zanpelform.h"
#include "records/clock.h"
#include "records/errorreporter.h"
#include "records/names.h"
#include "settings/initparam.h"
#include "support/fakedialogs.h"
#include "support/pressedname.h"
#include "support/testsupport.h"
#include "worklist/datalist.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zanpel::test {

class BarWindow : public ::testing::Test {
protected:
    BarWindow() : list(clock, reporter) {
        list.SetDataDir(dir.Path());
        for (const char* name : {"a", "b"})
            list.AppSwitch().AddEntry({name, "", "", false, {}});
        list.AppSwitch().AddEntry({RestName(), "", "", false, {}});
        list.ChangeDate(Today(clock));
        TZanpelForm::Environment env;
        env.CursorPos = [this] { return cursor; };
        env.AnimationStepMs = 0;
        env.DataFolder = QString::fromStdString(dir.Path());
        env.ScreenGeometry = [this] { return screenRect; };
        form = std::make_unique<TZanpelForm>(settings, list, clock, dialogs, env);
        form->FormCreate(dir.File("zanpel.ini"), reporter);
    }

    // Texts of a menu's entries, "-" for separators, "&" kept.
    static std::vector<std::string> Entries(QMenu* menu) {
        std::vector<std::string> texts;
        for (QAction* a : menu->actions())
            texts.push_back(a->isSeparator() ? "-" : a->text().toStdString());
        return texts;
    }
    static void Send(QWidget* target, QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
        QMouseEvent event(type, local, target->mapToGlobal(local),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
    // Presses at from (in control), moves to the screen point to, releases there.
    void Drag(QWidget* control, QPoint from, QPoint to) {
        Send(control, QEvent::MouseButtonPress, from, Qt::LeftButton);
        Send(control, QEvent::MouseMove, control->mapFromGlobal(to), Qt::LeftButton);
        Send(control, QEvent::MouseButtonRelease, control->mapFromGlobal(to), Qt::NoButton);
    }
    QRect Screen() const { return form->Placement().ScreenRect(); }

    TempDir dir;
    FixedClock clock{EncodeDate(2005, 3, 1), 9 * 3600};
    CollectingErrorReporter reporter;
    FakeDialogs dialogs;
    TInitParam settings;
    TDataList list;
    QPoint cursor{0, 0};
    QRect screenRect = QGuiApplication::primaryScreen()->geometry();
    std::unique_ptr<TZanpelForm> form;
};

} // namespace zanpel::test
