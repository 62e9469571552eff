#include "reports/monthsummary.h"

#include "reports/startendsync.h"
#include "settings/initparam.h"

namespace zanpel {

TMonthSummary::TMonthSummary(TDataList& main, const TInitParam& settings, const Clock& clock,
                             ErrorReporter& reporter, Confirmation confirm)
    : m_main(main), m_settings(settings), m_confirm(std::move(confirm)), m_month(clock, reporter) {
    m_month.NoSave = true;
    m_month.SetDataDir(main.DataDir());
}

void TMonthSummary::ShowMonth(DayNumber day) {
    // A month the bar keeps unsaved is newer there than in its file.
    if (!m_main.CopyUnsavedMonthInto(day, m_month))
        m_month.ChangeDate(day);
    m_unsaved = false;
    RefreshViews();
}

void TMonthSummary::RefreshViews() {
    m_view = BuildSummary(m_month, m_settings);
}

bool TMonthSummary::MayDiscardMonth() {
    if (!m_unsaved)
        return true;
    if (AddRestsToShownMonth() != SyncResult::NotSaved || m_confirm(DiscardQuestion)) {
        m_unsaved = false;
        return true;
    }
    return false;
}

bool TMonthSummary::ShowFirstOfMonth(int monthStep) {
    if (!MayDiscardMonth())
        return false;
    const CivilDate shown = DecodeDate(m_month.CurrentDate());
    int year = shown.Year;
    int month = shown.Month + monthStep;
    if (month < 1) {
        month = 12;
        --year;
    } else if (month > 12) {
        month = 1;
        ++year;
    }
    ShowMonth(EncodeDate(year, month, 1));
    return true;
}

bool TMonthSummary::PreviousMonth() {
    return ShowFirstOfMonth(-1);
}

bool TMonthSummary::NextMonth() {
    return ShowFirstOfMonth(+1);
}

bool TMonthSummary::TakeMainList() {
    if (!MayDiscardMonth())
        return false;
    // The copy replaces the records only; reading the bar's month first keeps
    // the file that a later sync saves to that of the records' month.
    if (!m_month.IsSameMonth(m_main.CurrentDate()))
        m_month.ChangeDate(m_main.CurrentDate());
    m_month.Assign(m_main);
    RefreshViews();
    return true;
}

TMonthSummary::SyncResult TMonthSummary::Sync(const LogReader& readLog, const HandBack& handBack) {
    if (!m_confirm(SyncQuestion))
        return SyncResult::Declined;
    const CivilDate mainMonth = DecodeDate(m_main.CurrentDate());
    const TEventLog log = readLog(EncodeDate(mainMonth.Year, mainMonth.Month, 1));
    m_main.SyncLoginTimes(log);
    m_handBack = handBack;
    const SyncResult result = AddRestsToShownMonth();
    RefreshViews();
    return result;
}

TMonthSummary::SyncResult TMonthSummary::AddRestsToShownMonth() {
    // The month as it is now, wherever it is newest: the time may have
    // passed into the next month since it was read (the bar then saved it),
    // and the bar may hold it unsaved. A copy older than the file is never
    // saved.
    const std::vector<RestPeriod> rests = SplitRestTimes(m_settings.RestTimes);
    const DayNumber day = m_month.CurrentDate();
    m_unsaved = false;
    if (m_month.IsSameMonth(m_main.CurrentDate())) {
        m_month.Assign(m_main);
        AddRestPeriods(m_month, rests);
        if (m_handBack)
            m_handBack(m_month);
        return SyncResult::HandedBack;
    }
    if (m_main.CopyUnsavedMonthInto(day, m_month)) {
        AddRestPeriods(m_month, rests);
        m_main.ReplaceUnsavedMonth(m_month); // the bar saves it with its own
        return SyncResult::HandedBack;
    }
    if (!m_month.LoadMonth())
        return SyncResult::NotSaved; // what could not be read is not written over
    AddRestPeriods(m_month, rests);
    m_unsaved = !m_month.SaveMonth();
    return m_unsaved ? SyncResult::NotSaved : SyncResult::Saved;
}

} // namespace zanpel
