// An orderly end on SIGTERM, SIGINT and SIGHUP: the signal only wakes the
// event loop, which then ends the program through its usual shut-down.
#pragma once

#include <QObject>

#include <functional>

namespace zanpel {

class TQuitSignals : public QObject {
    Q_OBJECT
public:
    // onSignal runs on the user-interface thread after one of the signals.
    explicit TQuitSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~TQuitSignals() override;

private:
    std::function<void()> m_onSignal;
};

} // namespace zanpel
