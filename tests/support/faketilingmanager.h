// A tiling window manager of the i3 family on its IPC socket at path: takes
// the bar's commands and answers each when the test says so.
#pragma once

#include "app/i3ipc.h"
#include "support/qtwait.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QString>

#include <string>
#include <vector>

namespace zanpel::test {

class FakeTilingManager {
public:
    explicit FakeTilingManager(const QString& path) {
        m_server.listen(path);
        QObject::connect(&m_server, &QLocalServer::newConnection, [this] {
            m_client = m_server.nextPendingConnection();
            QObject::connect(m_client, &QLocalSocket::readyRead, [this] { Read(); });
        });
    }
    // Answers the oldest unanswered command.
    void Answer(bool success = true) {
        const std::string reply = EncodeI3Message(
            I3RunCommand, success ? R"([{"success":true}])"
                                  : R"([{"success":false,"error":"No matching node."}])");
        m_client->write(reply.data(), static_cast<qint64>(reply.size()));
        ++Answered;
    }
    // The manager ends (or restarts) under the bar: its connection goes.
    void Drop() {
        m_client->abort();
        m_server.close();
    }
    bool WaitForCommands(size_t count) {
        return RunLoopUntil([&] { return Commands.size() >= count; }, 5000);
    }
    // Waits until the latest command is command.
    bool WaitForLast(const std::string& command) {
        return RunLoopUntil([&] { return !Commands.empty() && Commands.back() == command; }, 5000);
    }

    std::vector<std::string> Commands;
    size_t Answered = 0;
    bool AnswerAtOnce = false;

private:
    void Read() {
        const QByteArray bytes = m_client->readAll();
        m_buffer.append(bytes.constData(), static_cast<size_t>(bytes.size()));
        while (auto message = TakeI3Message(m_buffer)) {
            if (message->Type == I3RunCommand)
                Commands.push_back(message->Payload);
            if (AnswerAtOnce)
                Answer();
        }
    }
    QLocalServer m_server;
    QLocalSocket* m_client = nullptr;
    std::string m_buffer;
};

} // namespace zanpel::test
