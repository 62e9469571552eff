#include "app/localstream.h"

#include <utility>

// No local sockets on this platform: nothing connects and nothing listens.
namespace zanpel {

TLocalStream::TLocalStream(int, QObject* parent) : QObject(parent) {}
TLocalStream::~TLocalStream() = default;
bool TLocalStream::ConnectTo(const std::string&) {
    m_error = "no local sockets on this platform";
    return false;
}
std::string TLocalStream::ReadAll() {
    return std::exchange(m_in, {});
}
void TLocalStream::Write(std::string_view) {}
void TLocalStream::Flush() {}
void TLocalStream::Abort() {}

TLocalListener::TLocalListener(QObject* parent) : QObject(parent) {}
TLocalListener::~TLocalListener() = default;
bool TLocalListener::Listen(const std::string&) {
    return false;
}

} // namespace zanpel
