// The errors of the work list and the settings, shown so that they never
// hold the clock up: while the event loop runs, the box opens only after the
// handler that reported the error (a tick of the work timer, which Qt does
// not call again while it runs) has returned, so the ticks go on under the
// box. Before and after the event loop it opens at once. A text that waits
// to be shown, or is shown, is not queued again (a save that fails every few
// minutes gives one box at a time).
#pragma once

#include "records/errorreporter.h"

#include <QObject>

#include <deque>
#include <string>

namespace zanpel {

class TReportDialogs;

class TErrorBoxes final : public QObject, public ErrorReporter {
public:
    explicit TErrorBoxes(TReportDialogs& dialogs) : m_dialogs(dialogs) {}
    void ReportError(const std::string& message) override;

private:
    void ShowNext();

    TReportDialogs& m_dialogs;
    std::deque<std::string> m_waiting;
    std::string m_shown; // the text of the box that is open
    bool m_scheduled = false;
};

} // namespace zanpel
