#include "reports/startendsync.h"

#include "records/datalist.h"
#include "records/names.h"
#include "tracking/eventlog.h"

#include <algorithm>

namespace zanpel {

int AddRestPeriods(TDataList& list, const std::vector<RestPeriod>& rests) {
    int changed = 0;
    for (int i = 0; i < list.Count(); ++i) {
        TWorkInfo& record = *list.WorkAt(i);
        if (!list.IsLogin(&record) || record.Periods.size() != 1)
            continue;
        const TWorkData span = record.Periods.front();
        for (const RestPeriod& rest : rests) {
            const int64_t lower = std::max<int64_t>(int64_t{rest.Start} * 60, span.StartSec);
            const int64_t upper = std::min<int64_t>(int64_t{rest.End} * 60, span.EndSec);
            if (lower < upper) // both lie within the span now
                record.Periods.push_back(TWorkData{
                    RestName(), {}, static_cast<Seconds>(lower), static_cast<Seconds>(upper)});
        }
        list.CalcTotal(record);
        if (record.Periods.size() > 1)
            ++changed;
    }
    return changed;
}

bool SyncStartEndTimes(TDataList& main, TDataList& shown, const TEventLog& log,
                       const std::vector<RestPeriod>& rests) {
    const bool same = shown.IsSameMonth(main.CurrentDate());
    main.SyncLoginTimes(log);
    if (same)
        shown.Assign(main);
    AddRestPeriods(shown, rests);
    return same;
}

} // namespace zanpel
