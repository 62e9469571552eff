#include "app/awayanswers.h"

#include "app/awayspell.h"
#include "records/names.h"
#include "worklist/datalist.h"

#include <functional>

namespace zanpel {
namespace {

// What becomes of the parts taken out of the item's periods on one day, in
// the list that holds that day's month.
using PartsMove =
    std::function<void(TDataList& month, const TSpellDay& day, const std::vector<TimeRange>&)>;

// Takes the question's time out of the item's periods day by day and hands
// it to move; stops at a month that cannot be kept, so that a later day is
// never changed without an earlier one.
TRecordChange MoveAwayTime(TDataList& list, const std::vector<TRestRange>& rest,
                           const TAwayQuestion& question, const PartsMove& move,
                           std::string& problem) {
    const std::vector<TimeRange> kept = RestSeconds(rest);
    bool made = false;
    TRecordChange result = TRecordChange::NotFound;
    for (const TSpellDay& day : SpellDays(question.Spell)) {
        const auto change = [&](TDataList& month) {
            TWorkInfo* record = month.Find(day.Day, question.Item);
            if (record == nullptr || month.IsLogin(record))
                return false;
            const std::vector<TimeRange> parts = month.BookedParts(*record, day.Part, kept);
            if (parts.empty())
                return false;
            month.TakeOutParts(*record, parts, day.Part.second);
            move(month, day, parts);
            return true;
        };
        result = ChangeMonthOfDay(list, day.Day, change, problem);
        if (result == TRecordChange::NotKept)
            break;
        made = made || result == TRecordChange::Made;
    }
    if (made)
        list.SaveIfAllowed();
    if (result == TRecordChange::NotKept)
        return result;
    return made ? TRecordChange::Made : TRecordChange::NotFound;
}

} // namespace

TRecordChange BookAwayAsRest(TDataList& list, const std::vector<TRestRange>& rest,
                             const TAwayQuestion& question, std::string& problem) {
    const DayNumber firstDay = WholeDays(question.Spell.From);
    const DayNumber returnDay = WholeDays(question.Spell.To);
    const auto toRest = [&](TDataList& month, const TSpellDay& day,
                            const std::vector<TimeRange>& parts) {
        if (day.Day == returnDay && day.Day > firstDay)
            month.StartDayLater(day.Day, day.Part.second);
        month.AddRestParts(day.Day, parts);
    };
    return MoveAwayTime(list, rest, question, toRest, problem);
}

TRecordChange BookAwayToItem(TDataList& list, const std::vector<TRestRange>& rest,
                             const TAwayQuestion& question, const std::string& item,
                             std::string& problem) {
    problem.clear();
    if (item == RestName())
        return BookAwayAsRest(list, rest, question, problem);
    if (item.empty() || item == question.Item || item == LoginName)
        return TRecordChange::NotFound;
    const auto toItem = [&](TDataList& month, const TSpellDay& day,
                            const std::vector<TimeRange>& parts) {
        month.BookParts(day.Day, item, parts);
    };
    return MoveAwayTime(list, rest, question, toItem, problem);
}

} // namespace zanpel
