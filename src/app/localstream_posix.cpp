#include "app/localstream.h"

#include <QSocketNotifier>
#include <QTimer>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace zanpel {
namespace {

bool AddressOf(const std::string& path, sockaddr_un& address) {
    address = sockaddr_un{};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

void MakeNonBlocking(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
}

std::string ErrorText(int error) {
    return std::strerror(error);
}

} // namespace

TLocalStream::TLocalStream(int descriptor, QObject* parent) : QObject(parent) {
    if (descriptor >= 0)
        Adopt(descriptor);
}

TLocalStream::~TLocalStream() {
    Abort();
}

bool TLocalStream::ConnectTo(const std::string& path) {
    Abort();
    sockaddr_un address;
    if (!AddressOf(path, address)) {
        m_error = "socket path too long or empty: " + path;
        return false;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        m_error = ErrorText(errno);
        return false;
    }
    // A local connect is done or refused at once; the socket is made
    // non-blocking for the event loop when the stream adopts it.
    int result = 0;
    do {
        result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        m_error = ErrorText(errno) + ": " + path;
        ::close(fd);
        return false;
    }
    Adopt(fd);
    return true;
}

void TLocalStream::Adopt(int descriptor) {
    m_fd = descriptor;
    m_error.clear();
    MakeNonBlocking(m_fd);
    m_reader = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_reader, &QSocketNotifier::activated, this, &TLocalStream::ReadIncoming);
    m_writer = new QSocketNotifier(m_fd, QSocketNotifier::Write, this);
    m_writer->setEnabled(!m_out.empty());
    connect(m_writer, &QSocketNotifier::activated, this, &TLocalStream::SendOutgoing);
}

std::string TLocalStream::ReadAll() {
    return std::exchange(m_in, {});
}

void TLocalStream::Write(std::string_view bytes) {
    if (!IsOpen())
        return;
    m_out.append(bytes);
    m_writer->setEnabled(true);
}

void TLocalStream::Flush() {
    if (IsOpen())
        SendOutgoing();
}

void TLocalStream::Abort() {
    delete std::exchange(m_reader, nullptr);
    delete std::exchange(m_writer, nullptr);
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
    m_out.clear();
}

void TLocalStream::ReadIncoming() {
    const size_t before = m_in.size();
    char buffer[4096];
    bool ended = false;
    for (;;) {
        const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
        if (n > 0) {
            m_in.append(buffer, static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        m_error = n == 0 ? "closed by the other end" : ErrorText(errno);
        ended = true;
        break;
    }
    if (ended)
        Abort();
    // Either signal may end in this stream's deletion, as a deferred one.
    if (m_in.size() > before)
        emit ReadyRead();
    if (ended)
        emit Closed();
}

void TLocalStream::SendOutgoing() {
    while (!m_out.empty()) {
        const ssize_t n = ::send(m_fd, m_out.data(), m_out.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            m_out.erase(0, static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        Fail(ErrorText(errno));
        return;
    }
    m_writer->setEnabled(!m_out.empty());
}

void TLocalStream::Fail(const std::string& error) {
    Abort();
    m_error = error;
    // Out of the writer's call: a caller's state is not changed under it.
    QTimer::singleShot(0, this, [this] { emit Closed(); });
}

TLocalListener::TLocalListener(QObject* parent) : QObject(parent) {}

TLocalListener::~TLocalListener() {
    delete m_notifier;
    if (m_fd >= 0) {
        ::close(m_fd);
        ::unlink(m_path.c_str());
    }
}

bool TLocalListener::Listen(const std::string& path) {
    sockaddr_un address;
    if (m_fd >= 0 || !AddressOf(path, address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    ::unlink(path.c_str());
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(path.c_str(), S_IRUSR | S_IWUSR) != 0 || ::listen(fd, 16) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_path = path;
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TLocalListener::AcceptWaiting);
    return true;
}

void TLocalListener::AcceptWaiting() {
    for (;;) {
        const int fd = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0 && errno == EINTR)
            continue;
        if (fd < 0)
            return;
        emit Accepted(new TLocalStream(fd, this));
    }
}

} // namespace zanpel
