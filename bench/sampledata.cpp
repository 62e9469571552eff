#include "sampledata.h"

#include "records/names.h"
#include "records/textcodec.h"

namespace zanpel::bench {

void FillMonth(TDataList& list, DayNumber firstDay, int days, int items, int periodsPerItem) {
    const std::string category = Utf8ToCp932("詳細設計");
    const std::string memo = Utf8ToCp932("仕様書の見直し, 打合せ");
    for (int d = 0; d < days; ++d) {
        const DayNumber day = firstDay + d;
        TWorkInfo* login = list.AddWork({day, LoginName, "", 0, {}});
        list.AddPeriod(login, {"", "", 8 * 3600, 19 * 3600});
        list.AddPeriod(login, {"", "", 12 * 3600, 13 * 3600});
        for (int i = 0; i < items; ++i) {
            const std::string name = Utf8ToCp932("作業項目") + std::to_string(i);
            TWorkInfo* work = list.AddWork({day, name, Utf8ToCp932("標準メモ"), 0, {}});
            for (int p = 0; p < periodsPerItem; ++p) {
                // Periods spread over the day, never adjacent, so none merge.
                const Seconds start = 8 * 3600 + (p * items + i) * 60;
                list.AddPeriod(work, {p % 2 ? category : "", p % 3 ? "" : memo, start, start + 50});
            }
        }
    }
}

SummaryMonth::SummaryMonth() : list(clock, reporter) {
    list.ChangeDate(FirstDay());
    settings.WorkDayBegin = 9 * 60;
    settings.WorkDayEnd = 18 * 60;
    settings.RestTimes = "720:780,900:910";
}

TAppSwitch FiftyDefinitions() {
    TAppSwitch list;
    for (int i = 0; i < 50; ++i) {
        const std::string n = std::to_string(i);
        list.ParseLine(Utf8ToCp932("@案件" + n + ",,@AP1,\"tool" + n +
                                   ".exe/\",\"office.exe//*見積" + n +
                                   "*.xlsx\",\"editor.exe/案件" + n + "\",\"!定例会議" + n +
                                   "\",\"browser.exe:\\\\d+月案件" + n + "\","));
    }
    return list;
}

} // namespace zanpel::bench
