#include "worklist/editmerge.h"

#include "records/names.h"
#include "records/timeranges.h"
#include "worklist/datalist.h"

#include <algorithm>

namespace zanpel {
namespace {

const TWorkData* StartingAt(const TWorkInfo& record, Seconds start) {
    for (const TWorkData& period : record.Periods)
        if (period.StartSec == start)
            return &period;
    return nullptr;
}

// Every work period of day in list but those of skip, and periods.
std::vector<TimeRange> WorkOfDay(const TDataList& list, DayNumber day, const TWorkInfo& skip,
                                 const std::vector<TWorkData>& periods) {
    std::vector<TimeRange> busy;
    for (int i = 0; i < list.Count(); ++i) {
        const TWorkInfo& record = *list.WorkAt(i);
        if (record.Date != day || &record == &skip || list.IsLogin(&record))
            continue;
        for (const TWorkData& p : record.Periods)
            busy.emplace_back(p.StartSec, p.EndSec);
    }
    for (const TWorkData& p : periods)
        busy.emplace_back(p.StartSec, p.EndSec);
    return busy;
}

void SpanHolds(TDataList& list, DayNumber day, Seconds start, Seconds end) {
    TWorkInfo* login = list.AddWork(TWorkInfo{day, LoginName, {}, 0, {}});
    if (login == nullptr)
        return;
    if (login->Periods.empty()) {
        login->Periods.push_back(TWorkData{{}, {}, start, end});
        return;
    }
    TWorkData& span = login->Periods.front();
    span.StartSec = std::min(span.StartSec, start);
    span.EndSec = std::max(span.EndSec, end);
}

} // namespace

void MergeEditedRecord(TDataList& list, TWorkInfo& live, const TWorkInfo& opened,
                       const TWorkInfo& edited, Seconds now) {
    const bool running = &live == list.CurrentWork();
    std::vector<TWorkData> periods;
    for (size_t i = 0; i < live.Periods.size(); ++i) {
        TWorkData period = live.Periods[i];
        if (!StartingAt(opened, period.StartSec)) {
            periods.push_back(std::move(period)); // came after the editor opened
            continue;
        }
        if (const TWorkData* kept = StartingAt(edited, period.StartSec)) {
            period.Category = kept->Category;
            period.Memo = kept->Memo;
            periods.push_back(std::move(period));
        } else if (running && i + 1 == live.Periods.size()) {
            // The running period was deleted: the item goes on from now,
            // without claiming the time in between for itself.
            periods.push_back(TWorkData{{}, {}, now, now});
        }
    }
    // Periods the editor added lie in the past; they keep out of the time
    // that work of the day took meanwhile, and the running period stays last.
    for (const TWorkData& added : edited.Periods) {
        if (StartingAt(opened, added.StartSec))
            continue;
        const std::vector<TimeRange> busy = WorkOfDay(list, live.Date, live, periods);
        const Seconds from = std::max<Seconds>(added.StartSec, 0);
        const Seconds to = std::min(added.EndSec, SecondsPerDay);
        for (const TimeRange& part : UncoveredParts(from, to, busy)) {
            const Seconds start = part.first;
            const Seconds end = part.second;
            const auto last = running && !periods.empty() ? periods.end() - 1 : periods.end();
            const auto place = std::find_if(
                periods.begin(), last, [start](const TWorkData& p) { return p.StartSec > start; });
            periods.insert(place, TWorkData{added.Category, added.Memo, start, end});
            SpanHolds(list, live.Date, start, end);
        }
    }
    live.Periods = std::move(periods);
    live.Memo = edited.Memo;
    list.CalcTotal(live);
}

} // namespace zanpel
