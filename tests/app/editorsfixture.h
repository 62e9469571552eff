// The bar's editors on a fixed clock and a temporary folder, with the
// window's side answered by the test (FakeBar).
#pragma once

#include "app/bareditors.h"
#include "app/workbuttons.h"
#include "app/worktiming.h"
#include "settings/initparam.h"
#include "support/fakebar.h"
#include "support/testsupport.h"
#include "worklist/datalist.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zanpel::test {

class Editors : public ::testing::Test {
protected:
    Editors()
        : list(clock, reporter), buttons(list.AppSwitch()),
          timing(list, buttons, settings, clock, bar),
          editors(list, buttons, timing, settings, clock, bar) {
        list.SetDataDir(dir.Path());
        list.SetNoCountSeconds(1);
        for (const char* name : {"会議", "設計", "休憩"})
            list.AppSwitch().AddEntry({Sjis(name), "", Sjis("議事録"), false, {}});
        list.ChangeDate(Today(clock));
        buttons.SetAllowAllUp(true);
        buttons.LoadButtons(list.AppSwitch());
        timing.Attach();
        editors.Attach();
        settings.AutoRestSwitch = true;
    }
    int Index(const char* name) const { return buttons.IndexOfName(Sjis(name)); }
    void Press(const char* name) { buttons.ClickMainButton(Index(name)); }
    void Run(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            clock.Advance(1);
            if (bar.WorkTimer)
                timing.WorkTimerTimer();
        }
    }
    TWorkInfo* Rec(const char* name) { return list.Find(Today(clock), Sjis(name)); }
    std::vector<std::string> ButtonNames() const {
        std::vector<std::string> names;
        for (int i = 0; i < buttons.ButtonCount(); ++i)
            names.push_back(Cp932ToUtf8(buttons.Buttons(i).Name));
        return names;
    }

    TempDir dir;
    FixedClock clock{EncodeDate(2005, 3, 1), 9 * 3600};
    CollectingErrorReporter reporter;
    TInitParam settings;
    TDataList list;
    TWorkButtons buttons;
    FakeBar bar;
    TWorkTiming timing;
    TBarEditors editors;
};

} // namespace zanpel::test
