// Local (Unix domain) stream sockets read and written from the event loop:
// a connected stream, and a listener that hands on the streams it accepts.
// The bar's only sockets are local ones (its hand-over socket in the runtime
// folder, a tiling manager's IPC), so plain sockets with notifiers serve, and
// no network library is loaded for them at start.
#pragma once

#include <QObject>

#include <string>
#include <string_view>

class QSocketNotifier;

namespace zanpel {

class TLocalStream : public QObject {
    Q_OBJECT
public:
    // descriptor: a connected socket the stream takes over, or -1 for none.
    explicit TLocalStream(int descriptor = -1, QObject* parent = nullptr);
    ~TLocalStream() override;

    // Connects to the socket at path. False, with the reason in Error(), when
    // nothing listens there.
    bool ConnectTo(const std::string& path);
    bool IsOpen() const { return m_fd >= 0; }
    int Descriptor() const { return m_fd; }
    const std::string& Error() const { return m_error; }

    // What has arrived and was not taken yet.
    std::string ReadAll();
    // Queues bytes, sent from the event loop as the socket takes them (as
    // Qt's sockets do: what is written in one pass goes out together).
    void Write(std::string_view bytes);
    // Sends what is queued now, as far as the socket takes it.
    void Flush();
    // Closes at once, dropping what was not sent; Closed is not signalled.
    void Abort();

signals:
    void ReadyRead();
    // The other end closed the stream, or it failed (Error() says how).
    void Closed();

private:
    void Adopt(int descriptor);
    void ReadIncoming();
    void SendOutgoing();
    void Fail(const std::string& error);

    int m_fd = -1;
    QSocketNotifier* m_reader = nullptr;
    QSocketNotifier* m_writer = nullptr;
    std::string m_in;
    std::string m_out;
    std::string m_error;
};

class TLocalListener : public QObject {
    Q_OBJECT
public:
    explicit TLocalListener(QObject* parent = nullptr);
    ~TLocalListener() override;

    // Listens at path, for this user only, replacing a socket file that a
    // program no longer running left there.
    bool Listen(const std::string& path);

signals:
    // A new connection; the stream is a child of the listener.
    void Accepted(TLocalStream* stream);

private:
    void AcceptWaiting();

    int m_fd = -1;
    std::string m_path;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace zanpel
