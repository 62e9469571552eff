// Following the foreground application on the idle passes of the event loop.
#include "app/applistlines.h"
#include "app/foregrounddetector.h"
#include "app/zanpelform.h"
#include "records/textcodec.h"
#include "tracking/foregroundsource.h"

#include <QAbstractEventDispatcher>
#include <QListWidget>

#include <chrono>

namespace zanpel {

const ForegroundSource& TZanpelForm::Foreground() const {
    static const NullForegroundSource none;
    if (m_env.Foreground)
        return *m_env.Foreground;
    return none;
}

void TZanpelForm::InstallDetectForeground() {
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(thread());
    if (dispatcher == nullptr || m_detectInstalled)
        return;
    m_detectInstalled = true;
    // The loop says aboutToBlock before it waits and awake when it wakes. A
    // pass has something new to see only when the loop woke since the last
    // one, so the work is done once per wake, however often the loop asks.
    connect(dispatcher, &QAbstractEventDispatcher::awake, this, [this] { m_idleDue = true; });
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
            &TZanpelForm::DetectForegroundPass);
}

void TZanpelForm::DetectForegroundPass() {
    // The switching step runs the selection road, which may show a dialog
    // whose own loop comes back here: that pass waits for this one to end.
    if (!m_idleDue || m_detecting)
        return;
    m_idleDue = false;
    m_detecting = true;
    struct Running {
        bool& Flag;
        ~Running() { Flag = false; }
    } running{m_detecting};
    const int before = m_workButtons.ItemIndex();
    TAppListLines lines(*m_appList);
    const TDetectResult result = DetectForeground(Foreground(), m_workButtons, lines);
    if (!m_env.Trace)
        return;
    if (result.LineChanged)
        m_env.Trace("app " + Cp932ToUtf8(lines.Line(result.Line)));
    const TMultiButton* current = m_workButtons.Current();
    if (m_workButtons.ItemIndex() != before && current != nullptr) {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(now).count();
        m_env.Trace("switched " + Cp932ToUtf8(current->Name) + " at " + std::to_string(micros));
    }
}

std::vector<std::string> TZanpelForm::AppListLines() const {
    std::vector<std::string> lines;
    for (int i = 0; i < m_appList->count(); ++i)
        lines.push_back(TAppListLines::LineOf(*m_appList->item(i)));
    return lines;
}

} // namespace zanpel
