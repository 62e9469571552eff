#include "app/handoverserver.h"

#include "app/peerclosed.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QVariant>

namespace zanpel {

THandOverServer::THandOverServer(QObject* parent)
    : QObject(parent), m_server(new QLocalServer(this)) {
    connect(m_server, &QLocalServer::newConnection, this, &THandOverServer::Accept);
}

THandOverServer::~THandOverServer() = default;

bool THandOverServer::Listen(const QString& path) {
    QLocalServer::removeServer(path);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    return m_server->listen(path);
}

void THandOverServer::Accept() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->bytesAvailable() > 0)
            Read(socket);
    }
}

void THandOverServer::Read(QLocalSocket* socket) {
    // A handler may run event loops of its own (the bar's show animation, a
    // box), in which more data of the same socket arrives and the sender may
    // go away: its socket is then deleted under us. The pointer below notices
    // that, and a socket whose frame is being handled is not read again
    // until the handler returns.
    QPointer<QLocalSocket> guard(socket);
    if (socket->property("busy").toBool())
        return;
    socket->setProperty("busy", true);
    // Frames may arrive in pieces; what a socket sent so far waits in its property.
    QByteArray buffer = socket->property("pending").toByteArray();
    for (;;) {
        buffer += socket->readAll();
        THandOver frame;
        size_t consumed = 0;
        const FrameStatus status =
            ParseFrame(std::string_view(buffer.constData(), static_cast<size_t>(buffer.size())),
                       frame, consumed);
        if (status == FrameStatus::Incomplete && static_cast<size_t>(buffer.size()) < MaxFrameSize)
            break;
        if (status != FrameStatus::Complete) {
            buffer.clear();
            socket->abort(); // unknown, malformed or oversized: dropped without effect
            break;
        }
        buffer.remove(0, static_cast<qsizetype>(consumed));
        // The sender waits for the answer: one that has gone gave up (a
        // second start that stopped waiting on a stopped bar and told its
        // user so), and what it asked for is not done behind its back.
        if (socket->state() != QLocalSocket::ConnectedState ||
            HasPeerClosed(socket->socketDescriptor())) {
            buffer.clear();
            socket->abort();
            break;
        }
        if (OnHandOver)
            OnHandOver(frame);
        if (!guard)
            return; // the sender went away meanwhile: nobody to answer
        socket->write("\1", 1);
        socket->flush();
    }
    if (guard) {
        socket->setProperty("pending", buffer);
        socket->setProperty("busy", false);
    }
}

} // namespace zanpel
