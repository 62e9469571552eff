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

// Every work period of live's day in list but live's own, and periods.
std::vector<TimeRange> WorkOfDay(const TDataList& list, const TWorkInfo& live,
                                 const std::vector<TWorkData>& periods) {
    std::vector<TimeRange> busy;
    for (const TOtherWork& other : OtherWorkOfDay(list, live))
        busy.emplace_back(other.StartSec, other.EndSec);
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

std::vector<TOtherWork> OtherWorkOfDay(const TDataList& list, const TWorkInfo& record) {
    std::vector<TOtherWork> work;
    for (int i = 0; i < list.Count(); ++i) {
        const TWorkInfo& other = *list.WorkAt(i);
        if (other.Date != record.Date || &other == &record || list.IsLogin(&other))
            continue;
        for (size_t k = 0; k < other.Periods.size(); ++k) {
            const TWorkData& p = other.Periods[k];
            const bool running = &other == list.CurrentWork() && k + 1 == other.Periods.size();
            work.push_back({other.Name, p.StartSec, p.EndSec, running});
        }
    }
    return work;
}

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
        const std::vector<TimeRange> busy = WorkOfDay(list, live, periods);
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
