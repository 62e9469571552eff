// Months the work list holds besides the one it is on: those it left behind
// at a change of month while their save failed. Others (the summary window)
// read and change them here instead of in their files, which are older.
#include "worklist/datalist.h"

#include <algorithm>

namespace zanpel {

bool TDataList::HoldsUnsavedMonth(DayNumber day) const {
    const std::string path = m_dataDir + MonthFileName(day);
    return std::any_of(m_unsavedMonths.begin(), m_unsavedMonths.end(),
                       [&](const UnsavedMonth& m) { return m.Path == path; });
}

bool TDataList::CopyUnsavedMonthInto(DayNumber day, TDataList& into) const {
    const std::string path = m_dataDir + MonthFileName(day);
    const auto held = std::find_if(m_unsavedMonths.begin(), m_unsavedMonths.end(),
                                   [&](const UnsavedMonth& m) { return m.Path == path; });
    if (held == m_unsavedMonths.end())
        return false;
    // The copy reads the text as its own month left unsaved, which its load
    // takes back; the duty to save it stays here.
    std::erase_if(into.m_unsavedMonths, [&](const UnsavedMonth& m) { return m.Path == path; });
    into.m_unsavedMonths.push_back({path, held->Contents, {}});
    if (into.m_currentDate != 0 && into.IsSameMonth(day) && into.m_monthFile == path)
        into.LoadMonth();
    else
        into.ChangeDate(day);
    into.m_lastSaveFailed = false;
    return true;
}

bool TDataList::ReplaceUnsavedMonth(const TDataList& from) {
    const auto held =
        std::find_if(m_unsavedMonths.begin(), m_unsavedMonths.end(),
                     [&](const UnsavedMonth& m) { return m.Path == from.m_monthFile; });
    if (held == m_unsavedMonths.end())
        return false;
    held->Contents = from.FormatMonth();
    return true;
}

} // namespace zanpel
