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
    if (m_month.SaveMonth() || m_confirm(DiscardQuestion)) {
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
    SyncResult result = SyncResult::HandedBack;
    if (SyncStartEndTimes(m_main, m_month, log, SplitRestTimes(m_settings.RestTimes))) {
        handBack(m_month);
    } else {
        m_unsaved = !m_month.SaveMonth();
        result = m_unsaved ? SyncResult::NotSaved : SyncResult::Saved;
    }
    RefreshViews();
    return result;
}

} // namespace zanpel
