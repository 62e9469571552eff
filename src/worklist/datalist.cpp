#include "worklist/datalist.h"

#include <memory>

namespace zanpel {

TDataList::TDataList(const Clock& clock, ErrorReporter& reporter) : TMonthFile(clock, reporter) {}

TDataList::~TDataList() = default;

void TDataList::ChangeDate(DayNumber day) {
    if (day == CurrentDate())
        return;
    StopWork();
    SaveIfAllowed();
    const bool sameMonth = IsSameMonth(day);
    // Records that could not be written must not go with the old month.
    if (!sameMonth)
        HoldIfUnsaved();
    SetCurrentDate(day);
    RestartOnTime();
    if (!sameMonth)
        OpenMonthFile(DataDir() + MonthFileName(day));
    UpdateLoginRecord();
}

// Others (the summary window) read and change a held month here instead of
// in its file, which is older.
bool TDataList::HoldsUnsavedMonth(DayNumber day) const {
    return HeldMonths().Find(DataDir() + MonthFileName(day)) != nullptr;
}

bool TDataList::CopyUnsavedMonthInto(DayNumber day, TDataList& into) const {
    const THeldMonths::Month* held = HeldMonths().Find(DataDir() + MonthFileName(day));
    if (held == nullptr)
        return false;
    // The copy reads the text as its own month left unsaved, which its load
    // takes back; the duty to save it stays here.
    into.HeldMonths().Hold({held->Path, held->Contents, {}});
    if (into.CurrentDate() != 0 && into.IsSameMonth(day) && into.MonthFile() == held->Path)
        into.LoadMonth();
    else
        into.ChangeDate(day);
    into.DropSaveDuty();
    return true;
}

bool TDataList::ReplaceUnsavedMonth(const TDataList& from) {
    return HeldMonths().SetContents(from.MonthFile(), from.FormatMonth());
}

void TDataList::Assign(const TDataList& other) {
    if (&other == this)
        return;
    Clear();
    SetCurrentDate(other.CurrentDate());
    for (const auto& work : other.Works()) {
        auto copy = std::make_unique<TWorkInfo>(*work);
        CalcTotal(*copy);
        Works().push_back(std::move(copy));
    }
}

void TDataList::RegisterWorkNames() {
    for (const auto& work : Works()) {
        if (work->Date != CurrentDate() || IsLogin(work.get()) ||
            AppSwitch().IndexOf(work->Name) >= 0)
            continue;
        TAppList definition;
        definition.Name = work->Name;
        AppSwitch().AddEntry(definition);
    }
}

std::string TDataList::GetCategories(const std::string& name) const {
    const int index = AppSwitch().IndexOf(name);
    return index >= 0 ? AppSwitch().Items(index).Categories : std::string();
}

void TDataList::SetCategories(const std::string& name, const std::string& text) {
    const int index = AppSwitch().IndexOf(name);
    if (index >= 0)
        AppSwitch().Items(index).Categories = text;
}

} // namespace zanpel
