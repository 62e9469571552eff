// A connection to one of the desktop's buses (an implementation header of
// the D-Bus sources): the session's or the system's own, or a bus at an
// address of its own (a private bus, as the tests run), which it closes at
// its end.
#pragma once

#include <QDBusConnection>
#include <QString>

#include <string>

namespace zanpel {

class TBusConnection {
public:
    // address: empty for the bus of that type.
    TBusConnection(const std::string& address, QDBusConnection::BusType type);
    ~TBusConnection();
    TBusConnection(const TBusConnection&) = delete;
    TBusConnection& operator=(const TBusConnection&) = delete;

    QDBusConnection Bus() const { return m_bus; }

private:
    QString m_name; // of a connection of its own
    QDBusConnection m_bus;
};

} // namespace zanpel
