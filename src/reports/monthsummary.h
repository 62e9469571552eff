// What the summary window shows and does, without the window: its own copy of
// one month (MonthData, never saved on a change of month), the rows of its
// lists, the month navigation, the fresh copy of the bar's work list and the
// start and end time sync. The window turns the rows into lists and forwards
// its buttons here.
#pragma once

#include "reports/summaryrows.h"
#include "tracking/eventlog.h"
#include "worklist/datalist.h"

#include <functional>
#include <string>

namespace zanpel {

class TInitParam;

class TMonthSummary {
public:
    // A Yes/No question (UTF-8, CR LF between lines); true only for Yes.
    using Confirmation = std::function<bool(const std::string& text)>;
    // Reads the system log back to firstDay.
    using LogReader = std::function<TEventLog(DayNumber firstDay)>;
    // Takes a corrected copy of the bar's month (the bar's ReplaceWorkList).
    using HandBack = std::function<void(const TDataList& corrected)>;

    // main: the bar's work list, whose folder MonthData reads. Errors of the
    // month files go to reporter.
    TMonthSummary(TDataList& main, const TInitParam& settings, const Clock& clock,
                  ErrorReporter& reporter, Confirmation confirm);

    TDataList& MonthData() { return m_month; }
    const TSummaryView& View() const { return m_view; }

    // Reads the month of day (a day of today's month brings today's
    // computer-on record up to now) and rebuilds the rows.
    void ShowMonth(DayNumber day);
    void RefreshViews();

    // "▲前月", "次月▼" and "■今月(更新)". Each answers false, changing
    // nothing, when changes of the month shown could not be saved and the
    // user chose to keep them.
    bool PreviousMonth();
    bool NextMonth();
    bool TakeMainList();
    // Whether the window may close (the same question).
    bool MayClose() { return MayDiscardMonth(); }

    enum class SyncResult { Declined, HandedBack, Saved, NotSaved };
    // "【SysLog同期】": asks first; the spans of the bar's month grow with the
    // log, the month shown gets its rest periods, taken as it is at this
    // moment: from the bar and back to it when the bar holds the month (its
    // current one, or one it keeps unsaved), else from its file and back
    // there. The rows are rebuilt.
    SyncResult Sync(const LogReader& readLog, const HandBack& handBack);
    // True after a sync whose save failed, until a save succeeds or the user
    // lets the changes go.
    bool HasUnsavedChanges() const { return m_unsaved; }

private:
    bool MayDiscardMonth();
    SyncResult AddRestsToShownMonth();
    bool ShowFirstOfMonth(int monthStep);

    TDataList& m_main;
    const TInitParam& m_settings;
    Confirmation m_confirm;
    TDataList m_month;
    TSummaryView m_view;
    HandBack m_handBack;
    bool m_unsaved = false;
};

// The questions the summary asks, as shown (UTF-8).
inline constexpr const char* SyncQuestion =
    "システムからイベントログを読込んで起動と終了時間を修正します\r\nよろしいですか？";
inline constexpr const char* DiscardQuestion =
    "この月の修正を保存できませんでした。\r\n修正を破棄してよろしいですか？";

} // namespace zanpel
