#include "tracking/busconnection.h"

#include <atomic>
#include <cstdlib>

namespace zanpel {
namespace {

QString NewName() {
    static std::atomic<int> connections{0};
    return QStringLiteral("zanpel-bus-%1").arg(++connections);
}

// Without an address of the session bus, the bus library would look for one
// and may start a bus of its own: there is none to be had.
QDBusConnection DefaultBus(QDBusConnection::BusType type) {
    if (type == QDBusConnection::SystemBus)
        return QDBusConnection::systemBus();
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address == nullptr || address[0] == '\0')
        return QDBusConnection(QStringLiteral("zanpel-no-session-bus"));
    return QDBusConnection::sessionBus();
}

} // namespace

TBusConnection::TBusConnection(const std::string& address, QDBusConnection::BusType type)
    : m_name(address.empty() ? QString() : NewName()),
      m_bus(address.empty()
                ? DefaultBus(type)
                : QDBusConnection::connectToBus(QString::fromStdString(address), m_name)) {}

TBusConnection::~TBusConnection() {
    if (!m_name.isEmpty())
        QDBusConnection::disconnectFromBus(m_name);
}

} // namespace zanpel
