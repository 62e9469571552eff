// ZANPEL_TRACE=FILE: the program notes in FILE, one line each, what
// end-to-end tests follow and time. The program itself notes its start (with
// the item it starts on) and its first frame, every error shown to the user,
// the notice of a session where the bar cannot be placed, quit requests,
// hand-overs from a second copy, and the saves of settings, definitions and
// month at the end. The bar window's parts note, through the same writer, a
// wake after a sleep, each application line seen in front and the moment an
// application switch pressed an item, the first problem of the switch log,
// the bar hiding and showing, the commands to a tiling manager with its
// refusals and a failed connection, and where each item's edit button and
// the summary's commands are (for tests that click them), with the time the
// summary took to show.
#pragma once

#include "app/errorboxes.h"
#include "records/errorreporter.h"

#include <QObject>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

class QTimer;

namespace zanpel {

class TDialogs;

// One line into the trace file; nothing when ZANPEL_TRACE is not set.
void TraceLine(const std::string& line);

// Notes in the trace how long the start took until the first frame of the
// window it filters, and runs what the start put off until that frame was
// drawn.
class TFirstFrame : public QObject {
public:
    // latest: the longest put-off work waits for a frame.
    explicit TFirstFrame(std::chrono::steady_clock::time_point start,
                         std::chrono::milliseconds latest = std::chrono::seconds(1));

    // Runs job from the event loop once the first frame has been drawn, or
    // latest after the first job was put off if no frame comes (a window
    // that is never drawn); at once when that moment has passed.
    void AfterFirstFrame(std::function<void()> job);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RunPutOff();

    std::chrono::steady_clock::time_point m_start;
    bool m_seen = false;
    bool m_ran = false;
    std::vector<std::function<void()>> m_putOff;
    QTimer* m_latest;
};

// The errors the user is shown in boxes, each also noted in the trace (its
// first line).
class TTracingReporter final : public ErrorReporter {
public:
    explicit TTracingReporter(TDialogs& dialogs);
    void ReportError(const std::string& message) override;

private:
    TErrorBoxes m_boxes;
};

} // namespace zanpel
