// The timing engine on a fixed clock and a temporary folder, with its window
// side answered by the test: whole days run in milliseconds.
#pragma once

#include "app/workbuttons.h"
#include "app/worktiming.h"
#include "records/names.h"
#include "settings/initparam.h"
#include "support/faketimingui.h"
#include "support/pressedname.h"
#include "support/testsupport.h"
#include "worklist/datalist.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace zanpel::test {

class Timing : public ::testing::Test {
protected:
    Timing()
        : list(clock, reporter), buttons(list.AppSwitch()),
          timing(list, buttons, settings, clock, ui) {
        settings.MergeSeconds = 1;
        settings.NoCountSeconds = 1;
        settings.AutoRestSwitch = true;
        list.SetDataDir(dir.Path());
        for (const std::string& name : {A, B, RestName()})
            list.AppSwitch().AddEntry({name, "", Sjis("設計,試験"), false, {}});
        list.ChangeDate(Today(clock));
        buttons.SetAllowAllUp(true);
        buttons.LoadButtons(list.AppSwitch());
        timing.Attach();
        timing.LoadRestRanges();
    }
    // The bar's timers: the work tick while an item runs, else the
    // engine's own look for a sleep of the machine.
    void Tick() {
        if (ui.WorkTimer)
            timing.WorkTimerTimer();
        else
            timing.CheckSleep();
    }
    // Lets the clock run for seconds, ticking every step.
    void Run(int seconds, int step = 1) {
        for (int done = 0; done < seconds; done += step) {
            clock.Advance(step);
            Tick();
        }
    }
    void RunUntil(int h, int m) {
        const int64_t target = (int64_t{h} * 60 + m) * 60;
        const int64_t now = NowSeconds(clock);
        Run(static_cast<int>((target - now + SecondsPerDay) % SecondsPerDay));
    }
    // The machine runs on (idle) up to s of day, where the list then is.
    void StartAt(DayNumber day, Seconds s) {
        const int64_t ahead = int64_t{day - Today(clock)} * SecondsPerDay + s - NowSeconds(clock);
        ASSERT_GE(ahead, 0) << "the clock only runs forward";
        clock.Advance(ahead);
        list.ChangeDate(day);
    }
    void SetRestTimes(const std::string& text) {
        settings.RestTimes = text;
        timing.LoadRestRanges();
    }
    void Press(const std::string& name) { buttons.ClickMainButton(buttons.IndexOfName(name)); }
    TWorkInfo* Rec(const std::string& name, DayNumber day = 0) {
        return list.Find(day ? day : Today(clock), name);
    }
    // A record's periods as (start, end) seconds; none when there is no record.
    std::vector<std::pair<Seconds, Seconds>> Periods(const std::string& name, DayNumber day) {
        std::vector<std::pair<Seconds, Seconds>> out;
        if (const TWorkInfo* rec = Rec(name, day))
            for (const TWorkData& p : rec->Periods)
                out.emplace_back(p.StartSec, p.EndSec);
        return out;
    }
    static Seconds T(int h, int m, int s = 0) { return h * 3600 + m * 60 + s; }

    const std::string A = Sjis("作業A");
    const std::string B = Sjis("作業B");
    TempDir dir;
    FixedClock clock{EncodeDate(2005, 3, 1), 9 * 3600};
    CollectingErrorReporter reporter;
    TInitParam settings;
    TDataList list;
    TWorkButtons buttons;
    FakeTimingUi ui;
    TWorkTiming timing;
};

} // namespace zanpel::test
