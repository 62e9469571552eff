#include "app/errorboxes.h"

#include "reports/reportdialogs.h"

#include <QThread>
#include <QTimer>

#include <algorithm>

namespace zanpel {

void TErrorBoxes::ReportError(const std::string& message) {
    if (QThread::currentThread()->loopLevel() == 0) {
        m_dialogs.ShowError(message);
        return;
    }
    if (message == m_shown ||
        std::find(m_waiting.begin(), m_waiting.end(), message) != m_waiting.end())
        return;
    m_waiting.push_back(message);
    if (!m_scheduled) {
        m_scheduled = true;
        QTimer::singleShot(0, this, [this] { ShowNext(); });
    }
}

void TErrorBoxes::ShowNext() {
    m_scheduled = false;
    if (m_waiting.empty())
        return;
    m_shown = std::move(m_waiting.front());
    m_waiting.pop_front();
    m_dialogs.ShowError(m_shown);
    m_shown.clear();
    if (!m_waiting.empty() && !m_scheduled) {
        m_scheduled = true;
        QTimer::singleShot(0, this, [this] { ShowNext(); });
    }
}

} // namespace zanpel
