#include "app/programtrace.h"

#include "app/messagebox.h"

#include <QEvent>

#include <cstdlib>
#include <fstream>

namespace zanpel {

void TraceLine(const std::string& line) {
    if (const char* path = std::getenv("ZANPEL_TRACE"); path && path[0] != '\0')
        std::ofstream(path, std::ios::app) << line << '\n';
}

bool TFirstFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && !m_seen) {
        m_seen = true;
        const auto ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_start)
                .count();
        TraceLine("first frame after " + std::to_string(static_cast<int>(ms)) + " ms");
    }
    return QObject::eventFilter(watched, event);
}

TTracingReporter::TTracingReporter(TDialogs& dialogs) : m_boxes(dialogs) {}

void TTracingReporter::ReportError(const std::string& message) {
    TraceLine("error " + message.substr(0, message.find('\r')));
    m_boxes.ReportError(message);
}

} // namespace zanpel
