#include "app/awayspell.h"

#include "app/pastmonthedit.h"
#include "app/worktiming.h"
#include "records/names.h"
#include "worklist/datalist.h"

#include <algorithm>

namespace zanpel {
namespace {

// Longer spells are no absence to ask about on a return: the machine was
// left on for weeks, or its clock jumped, and a day's records are read per
// day of the spell.
constexpr size_t MaxSpellDays = 31;

// Looks at the records of day wherever the bar keeps them, changing nothing;
// a month that cannot be read shows nothing.
void ReadDay(TDataList& list, DayNumber day, const std::function<void(TDataList&)>& look) {
    std::string problem;
    ChangeMonthOfDay(
        list, day,
        [&](TDataList& month) {
            look(month);
            return false;
        },
        problem);
}

} // namespace

std::vector<TSpellDay> SpellDays(const TAwaySpell& spell) {
    std::vector<TSpellDay> days;
    if (spell.To <= spell.From)
        return days;
    const DayNumber first = WholeDays(spell.From);
    const DayNumber last = WholeDays(spell.To);
    for (DayNumber day = first; day <= last; ++day) {
        const Seconds from = day == first ? SecondsOfDay(spell.From) : 0;
        const Seconds to = day == last ? SecondsOfDay(spell.To) : SecondsPerDay;
        if (from < to)
            days.push_back({day, {from, to}});
    }
    return days;
}

std::vector<TimeRange> RestSeconds(const std::vector<TRestRange>& rest) {
    constexpr int MinutesPerDay = SecondsPerDay / 60;
    std::vector<TimeRange> ranges;
    for (const TRestRange& range : rest) {
        // As TRestRange::Covers reads them: a negative begin is midnight, a
        // negative end never comes.
        if (range.EndMinute < 0)
            continue;
        const Seconds from = std::clamp(range.BeginMinute, 0, MinutesPerDay) * 60;
        const Seconds to = std::min(range.EndMinute, MinutesPerDay) * 60;
        if (from < to)
            ranges.emplace_back(from, to);
    }
    return ranges;
}

std::optional<TAwayQuestion> AskAboutSpell(TDataList& list, const std::vector<TRestRange>& rest,
                                           const TAwaySpell& spell) {
    const std::vector<TSpellDay> days = SpellDays(spell);
    if (days.empty() || days.size() > MaxSpellDays)
        return std::nullopt;
    std::string item;
    ReadDay(list, days.front().Day, [&](TDataList& month) {
        const TWorkInfo* record = month.RecordRunningAt(days.front().Day, days.front().Part.first);
        if (record != nullptr && !month.IsLogin(record))
            item = record->Name;
    });
    if (item.empty() || item == RestName())
        return std::nullopt;
    return TAwayQuestion{spell, item, AwaySeconds(list, rest, spell, item)};
}

int64_t AwaySeconds(TDataList& list, const std::vector<TRestRange>& rest, const TAwaySpell& spell,
                    const std::string& item) {
    const std::vector<TimeRange> kept = RestSeconds(rest);
    int64_t seconds = 0;
    for (const TSpellDay& day : SpellDays(spell))
        ReadDay(list, day.Day, [&](TDataList& month) {
            const TWorkInfo* record = month.Find(day.Day, item);
            if (record != nullptr && !month.IsLogin(record))
                seconds += CoveredLength(month.BookedParts(*record, day.Part, kept));
        });
    return seconds;
}

} // namespace zanpel
