#include "app/handoverserver.h"

#include <QLocalServer>
#include <QLocalSocket>
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
    // Frames may arrive in pieces; what a socket sent so far waits in its property.
    QByteArray buffer = socket->property("pending").toByteArray() + socket->readAll();
    socket->setProperty("pending", QByteArray()); // a handler may read this socket again
    for (;;) {
        THandOver frame;
        size_t consumed = 0;
        const FrameStatus status = ParseFrame(
            std::string_view(buffer.constData(), static_cast<size_t>(buffer.size())), frame, consumed);
        if (status == FrameStatus::Incomplete && static_cast<size_t>(buffer.size()) < MaxFrameSize)
            break;
        if (status != FrameStatus::Complete) {
            socket->abort(); // unknown, malformed or oversized: dropped without effect
            return;
        }
        buffer.remove(0, static_cast<qsizetype>(consumed));
        if (OnHandOver)
            OnHandOver(frame);
        socket->write("\1", 1);
        socket->flush();
    }
    socket->setProperty("pending", buffer);
}

} // namespace zanpel
