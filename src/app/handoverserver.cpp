#include "app/handoverserver.h"

#include "app/localstream.h"
#include "app/peerclosed.h"

#include <QPointer>
#include <QVariant>

namespace zanpel {

THandOverServer::THandOverServer(QObject* parent)
    : QObject(parent), m_listener(new TLocalListener(this)) {
    connect(m_listener, &TLocalListener::Accepted, this, &THandOverServer::Accept);
}

THandOverServer::~THandOverServer() = default;

bool THandOverServer::Listen(const QString& path) {
    return m_listener->Listen(path.toStdString());
}

void THandOverServer::Accept(TLocalStream* stream) {
    connect(stream, &TLocalStream::ReadyRead, this, [this, stream] { Read(stream); });
    connect(stream, &TLocalStream::Closed, stream, &QObject::deleteLater);
}

void THandOverServer::Read(TLocalStream* socket) {
    // A handler may run event loops of its own (the bar's show animation, a
    // box), in which more data of the same socket arrives and the sender may
    // go away: its socket is then deleted under us. The pointer below notices
    // that, and a socket whose frame is being handled is not read again
    // until the handler returns.
    QPointer<TLocalStream> guard(socket);
    if (socket->property("busy").toBool())
        return;
    socket->setProperty("busy", true);
    // Frames may arrive in pieces; what a socket sent so far waits in its property.
    std::string buffer = socket->property("pending").toByteArray().toStdString();
    for (;;) {
        buffer += socket->ReadAll();
        THandOver frame;
        size_t consumed = 0;
        const FrameStatus status = ParseFrame(buffer, frame, consumed);
        if (status == FrameStatus::Incomplete && buffer.size() < MaxFrameSize)
            break;
        if (status != FrameStatus::Complete) {
            buffer.clear();
            socket->Abort(); // unknown, malformed or oversized: dropped without effect
            socket->deleteLater();
            break;
        }
        buffer.erase(0, consumed);
        // The sender waits for the answer: one that has gone gave up (a
        // second start that stopped waiting on a stopped bar and told its
        // user so), and what it asked for is not done behind its back.
        if (!socket->IsOpen() || HasPeerClosed(socket->Descriptor())) {
            buffer.clear();
            socket->Abort();
            socket->deleteLater();
            break;
        }
        if (OnHandOver)
            OnHandOver(frame);
        if (!guard)
            return; // the sender went away meanwhile: nobody to answer
        socket->Write(std::string_view("\1", 1));
        socket->Flush();
    }
    if (guard) {
        socket->setProperty("pending", QByteArray::fromStdString(buffer));
        socket->setProperty("busy", false);
    }
}

} // namespace zanpel
