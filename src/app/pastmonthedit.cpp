#include "app/pastmonthedit.h"

#include "worklist/datalist.h"

namespace zanpel {
namespace {

std::string Joined(const std::vector<std::string>& messages) {
    std::string text;
    for (const std::string& message : messages)
        text += (text.empty() ? "" : "\r\n") + message;
    return text;
}

} // namespace

TRecordChange ChangeMonthOfDay(TDataList& main, DayNumber day,
                               const std::function<bool(TDataList&)>& change,
                               std::string& problem) {
    problem.clear();
    if (main.IsSameMonth(day))
        return change(main) ? TRecordChange::Made : TRecordChange::NotFound;
    CollectingErrorReporter errors;
    TDataList month(main.GetClock(), errors);
    month.NoSave = true;
    month.KeepsLoginRecord = false; // a past day's span is as it was recorded
    month.SetDataDir(main.DataDir());
    const bool held = main.CopyUnsavedMonthInto(day, month);
    if (!held)
        month.ChangeDate(day);
    if (!errors.Messages.empty()) {
        problem = Joined(errors.Messages);
        return TRecordChange::NotKept;
    }
    if (!change(month))
        return TRecordChange::NotFound;
    if (held) {
        main.ReplaceUnsavedMonth(month);
        return TRecordChange::Made;
    }
    if (!month.SaveMonth()) {
        problem = Joined(errors.Messages);
        return TRecordChange::NotKept;
    }
    return TRecordChange::Made;
}

TRecordChange ChangeRecordOfDay(TDataList& main, DayNumber day, const std::string& name,
                                const std::function<bool(TDataList&, TWorkInfo&)>& change,
                                std::string& problem) {
    return ChangeMonthOfDay(
        main, day,
        [&](TDataList& list) {
            TWorkInfo* record = list.Find(day, name);
            return record && change(list, *record);
        },
        problem);
}

} // namespace zanpel
