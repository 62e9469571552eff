#include "reports/startendsync.h"

#include "records/names.h"
#include "records/timeranges.h"
#include "tracking/eventlog.h"
#include "worklist/datalist.h"

#include <algorithm>

namespace zanpel {

int AddRestPeriods(TDataList& list, const std::vector<RestPeriod>& rests) {
    // The configured rest periods as they cover the day: overlapping ones
    // become one (720:780 and 750:800 are 12:00 to 13:20).
    std::vector<TimeRange> configured;
    for (const RestPeriod& rest : rests) {
        const auto second = [](int32_t minute) {
            return static_cast<Seconds>(std::clamp(minute, 0, 1440) * 60);
        };
        configured.emplace_back(second(rest.Start), second(rest.End));
    }
    configured = UnionOf(std::move(configured));
    int changed = 0;
    for (int i = 0; i < list.Count(); ++i) {
        TWorkInfo& record = *list.WorkAt(i);
        if (!list.IsLogin(&record) || record.Periods.empty())
            continue;
        // Cut to the span; only what no rest period covers yet is added, so
        // a day that has rests (from a sleep, say) gets the rest of them.
        const TWorkData span = record.Periods.front();
        int added = 0;
        for (const auto& [start, end] : configured)
            added += list.AddUncoveredRest(record, std::max(start, span.StartSec),
                                           std::min(end, span.EndSec));
        if (added > 0)
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
