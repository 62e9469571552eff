#include "tracking/busconnection.h"

#include <atomic>

namespace zanpel {
namespace {

QString NewName() {
    static std::atomic<int> connections{0};
    return QStringLiteral("zanpel-bus-%1").arg(++connections);
}

} // namespace

TBusConnection::TBusConnection(const std::string& address, QDBusConnection::BusType type)
    : m_name(address.empty() ? QString() : NewName()),
      m_bus(address.empty()
                ? (type == QDBusConnection::SystemBus ? QDBusConnection::systemBus()
                                                      : QDBusConnection::sessionBus())
                : QDBusConnection::connectToBus(QString::fromStdString(address), m_name)) {}

TBusConnection::~TBusConnection() {
    if (!m_name.isEmpty())
        QDBusConnection::disconnectFromBus(m_name);
}

} // namespace zanpel
