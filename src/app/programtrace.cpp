#include "app/programtrace.h"

#include "app/messagebox.h"

#include <QEvent>
#include <QTimer>

#include <cstdlib>
#include <fstream>

namespace zanpel {

void TraceLine(const std::string& line) {
    if (const char* path = std::getenv("ZANPEL_TRACE"); path && path[0] != '\0')
        std::ofstream(path, std::ios::app) << line << '\n';
}

TFirstFrame::TFirstFrame(std::chrono::steady_clock::time_point start,
                         std::chrono::milliseconds latest)
    : m_start(start), m_latest(new QTimer(this)) {
    m_latest->setSingleShot(true);
    m_latest->setInterval(latest);
    connect(m_latest, &QTimer::timeout, this, &TFirstFrame::RunPutOff);
}

void TFirstFrame::AfterFirstFrame(std::function<void()> job) {
    m_putOff.push_back(std::move(job));
    if (m_ran)
        QTimer::singleShot(0, this, &TFirstFrame::RunPutOff);
    else if (!m_seen && !m_latest->isActive())
        m_latest->start();
}

void TFirstFrame::RunPutOff() {
    m_ran = true;
    m_latest->stop();
    std::vector<std::function<void()>> jobs;
    jobs.swap(m_putOff);
    for (const auto& job : jobs)
        job();
}

bool TFirstFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && !m_seen) {
        m_seen = true;
        const auto ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_start)
                .count();
        TraceLine("first frame after " + std::to_string(static_cast<int>(ms)) + " ms");
        // The frame is painted and sent to the window system when this event
        // has been handled: the next turn of the loop comes after it.
        QTimer::singleShot(0, this, &TFirstFrame::RunPutOff);
    }
    return QObject::eventFilter(watched, event);
}

TTracingReporter::TTracingReporter(TDialogs& dialogs) : m_boxes(dialogs) {}

void TTracingReporter::ReportError(const std::string& message) {
    TraceLine("error " + message.substr(0, message.find('\r')));
    m_boxes.ReportError(message);
}

} // namespace zanpel
