// The running copy's side of the hand-over: a local socket in the runtime
// folder that takes the frames of second copies, hands each complete frame on
// and answers one byte once it has been handled.
#pragma once

#include "app/handoverframe.h"

#include <QObject>

#include <functional>

namespace zanpel {

class TLocalListener;
class TLocalStream;

class THandOverServer : public QObject {
    Q_OBJECT
public:
    explicit THandOverServer(QObject* parent = nullptr);
    ~THandOverServer() override;

    // Listens at path, removing a socket that a dead copy left behind (only
    // the holder of the single-instance lock may call this).
    bool Listen(const QString& path);
    std::function<void(const THandOver&)> OnHandOver;

private:
    void Accept(TLocalStream* stream);
    void Read(TLocalStream* stream);

    TLocalListener* m_listener;
};

} // namespace zanpel
