// Writes a year of synthetic month files into a folder, for timing whole
// commands such as `zanpelctl export 200501 200512`.
//   make_sample_data FOLDER [YEAR] [ITEMS] [PERIODS]
#include "sampledata.h"
#include "worklist/datalist.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    using namespace zanpel;
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_sample_data FOLDER [YEAR] [ITEMS] [PERIODS]\n");
        return 2;
    }
    const int year = argc > 2 ? std::atoi(argv[2]) : 2005;
    const int items = argc > 3 ? std::atoi(argv[3]) : 6;
    const int periods = argc > 4 ? std::atoi(argv[4]) : 4;
    FixedClock clock(EncodeDate(year + 1, 6, 1), 0);
    NullErrorReporter reporter;
    int total = 0;
    for (int month = 1; month <= 12; ++month) {
        TDataList list(clock, reporter);
        list.SetDataDir(argv[1]);
        const DayNumber first = EncodeDate(year, month, 1);
        list.ChangeDate(first);
        const int days = EncodeDate(month == 12 ? year + 1 : year, month % 12 + 1, 1) - first;
        // Working days only: about 21 of them a month.
        bench::FillMonth(list, first, days * 2 / 3, items, periods);
        if (!list.SaveMonth())
            return 1;
        for (int i = 0; i < list.Count(); ++i)
            total += static_cast<int>(list.WorkAt(i)->Periods.size());
    }
    std::printf("%d periods in 12 month files\n", total);
    return 0;
}
