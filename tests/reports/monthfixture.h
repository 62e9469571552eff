// A month of records built by hand (July 2005, the clock in August so that no
// computer-on record moves by itself) and the settings the summary reads.
#pragma once

#include "records/names.h"
#include "settings/initparam.h"
#include "support/testsupport.h"
#include "worklist/datalist.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace zanpel::test {

constexpr Seconds T(int h, int m, int s = 0) {
    return h * 3600 + m * 60 + s;
}

class MonthTest : public ::testing::Test {
protected:
    MonthTest() : list(clock, reporter) {
        list.SetDataDir(dir.Path());
        list.ChangeDate(July(1));
    }
    static DayNumber July(int day) { return EncodeDate(2005, 7, day); }

    // The computer-on record of a July day: its span and rest periods.
    TWorkInfo* AddLogin(int day, Seconds start, Seconds end,
                        const std::vector<std::pair<Seconds, Seconds>>& rests = {}) {
        TWorkInfo* login = list.AddWork(TWorkInfo{July(day), LoginName, {}, 0, {}});
        login->Periods.push_back({{}, {}, start, end});
        for (const auto& [from, to] : rests)
            login->Periods.push_back({RestName(), {}, from, to});
        list.CalcTotal(*login);
        return login;
    }
    // A work record of a July day with the periods as given (no merging).
    TWorkInfo* AddItem(int day, const std::string& name, const std::vector<TWorkData>& periods,
                       const std::string& memo = {}) {
        TWorkInfo* work = list.AddWork(TWorkInfo{July(day), name, memo, 0, {}});
        work->Periods = periods;
        list.CalcTotal(*work);
        return work;
    }

    TempDir dir;
    FixedClock clock{EncodeDate(2005, 8, 20), T(12, 0)};
    CollectingErrorReporter reporter;
    TInitParam settings;
    TDataList list;
};

} // namespace zanpel::test
