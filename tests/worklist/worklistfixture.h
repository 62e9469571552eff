// A work list on a fixed clock and a temporary data folder.
#pragma once

#include "records/names.h"
#include "support/testsupport.h"
#include "worklist/datalist.h"

#include <gtest/gtest.h>

namespace zanpel::test {

class WorkListTest : public ::testing::Test {
protected:
    WorkListTest() : list(clock, reporter) { list.SetDataDir(dir.Path()); }

    // Moves the clock to h:m:s of the current day.
    void At(int h, int m, int s = 0) { clock.Set(Today(clock), h * 3600 + m * 60 + s); }
    void StartOn(DayNumber day, int h, int m) {
        clock.Set(day, h * 3600 + m * 60);
        list.ChangeDate(day);
    }
    TWorkInfo* Work(const std::string& name) { return list.Find(list.CurrentDate(), name); }

    TempDir dir;
    FixedClock clock{EncodeDate(2005, 3, 1), 9 * 3600};
    CollectingErrorReporter reporter;
    TDataList list;
    const DayNumber march1 = EncodeDate(2005, 3, 1);
    const std::string A = Sjis("作業A");
    const std::string B = Sjis("作業B");
};

} // namespace zanpel::test
