// The settings dialog's tests on the offscreen platform: definitions, options
// and a history to open it with, and the helpers that find its controls and
// drive its keys.
#pragma once

#include "records/clock.h"
#include "settings/setupform.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace zanpel::test {

class SetupDialog : public ::testing::Test {
protected:
    SetupDialog() {
        definitions.ParseLine(Sjis("@会議,定例,\"議事録\",@AP1,\"outlook.exe/\","));
        definitions.ParseLine(Sjis("@設計,,"));
        definitions.ParseLine(Sjis("@休憩,,"));
        input.Definitions = &definitions;
        input.Now = &clock;
        input.History = {Sjis("code/main.cpp - 実装"), "xterm/bash"};
        TSetupOptions& o = input.Options;
        o.SaveWindowPos = true;
        o.StartWithLast = false;
        o.AutoHide = true;
        o.SyncSysLog = true;
        o.MemoOnStart = true;
        o.NoCount = 7;
        o.MergeLimit = 12;
        o.AwayMinutes = 10;
        o.AppSwitch = true;
        o.WorkDayBegin = 540;
        o.WorkDayEnd = 1050;
        o.OvertimeCalc = 1;
        o.RestTimes = "720:780,900:910";
    }
    template <class T> T* Find(TSetupForm& form, const char* name) {
        T* child = form.findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    static QString EditText(QSpinBox* spin) { return spin->findChild<QLineEdit*>()->text(); }
    // Shows the dialog and waits until it has the keyboard.
    static void ShowActive(TSetupForm& form) {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    static void CtrlKey(QWidget* target, Qt::Key key) {
        QTest::keyClick(target, key, Qt::ControlModifier);
    }

    FixedClock clock{EncodeDate(2005, 3, 1), 14 * 3600 + 23 * 60};
    TAppSwitch definitions;
    TSetupInput input;
};

} // namespace zanpel::test
