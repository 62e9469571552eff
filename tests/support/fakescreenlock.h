// The desktop's side of screen locks, on the tests' private buses: logind
// with the session of the program and its LockedHint, and a screen saver
// that says when it is active. Each is a bus client of its own, as the real
// ones are.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QStringList>
#include <QVariantMap>

#include <atomic>
#include <string>

namespace zanpel::test {

// A client of a bus at an address, under a name of the test's own.
class BusClient {
public:
    BusClient(const std::string& address, const QString& name)
        : m_name(name),
          m_bus(QDBusConnection::connectToBus(QString::fromStdString(address), name)) {}
    ~BusClient() { QDBusConnection::disconnectFromBus(m_name); }
    BusClient(const BusClient&) = delete;
    BusClient& operator=(const BusClient&) = delete;

    QDBusConnection& Bus() { return m_bus; }
    bool Send(const QDBusMessage& message) { return m_bus.send(message); }

private:
    QString m_name;
    QDBusConnection m_bus;
};

// logind as far as the lock goes: GetSession answers one session, whose
// LockedHint the test sets; a change is said as logind says it.
class FakeLogind final : public QDBusVirtualObject {
public:
    static constexpr const char* SessionPath = "/org/freedesktop/login1/session/_32";

    explicit FakeLogind(const std::string& systemBus, bool locked = false)
        : m_client(systemBus, QStringLiteral("fake-logind")), m_locked(locked) {
        m_client.Bus().registerVirtualObject(QStringLiteral("/org/freedesktop/login1"), this,
                                             QDBusConnection::SubPath);
        m_ready = m_client.Bus().registerService(QStringLiteral("org.freedesktop.login1"));
    }
    bool Ready() const { return m_ready; }
    // How often the session's properties were asked for.
    int Asked() const { return m_asked; }

    void SetLockedHint(bool locked) {
        m_locked = locked;
        SayChanged({{QStringLiteral("LockedHint"), locked}});
    }
    // PropertiesChanged of the session with these values.
    void SayChanged(const QVariantMap& values) { m_client.Send(Changed(values)); }
    // One of logind's Lock and Unlock signals of the session.
    void Signal(const char* member) {
        m_client.Send(QDBusMessage::createSignal(QString::fromLatin1(SessionPath),
                                                 QStringLiteral("org.freedesktop.login1.Session"),
                                                 QString::fromLatin1(member)));
    }
    static QDBusMessage Changed(const QVariantMap& values) {
        QDBusMessage signal = QDBusMessage::createSignal(
            QString::fromLatin1(SessionPath), QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("PropertiesChanged"));
        signal << QStringLiteral("org.freedesktop.login1.Session") << values << QStringList();
        return signal;
    }

    // Called on the bus's own thread.
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.member() == QLatin1String("GetSession"))
            return connection.send(message.createReply(
                QVariant::fromValue(QDBusObjectPath(QString::fromLatin1(SessionPath)))));
        if (message.member() == QLatin1String("Get") && message.path() == SessionPath) {
            ++m_asked;
            return connection.send(
                message.createReply(QVariant::fromValue(QDBusVariant(m_locked.load()))));
        }
        return false;
    }
    QString introspect(const QString&) const override { return {}; }

private:
    BusClient m_client;
    std::atomic<bool> m_locked;
    std::atomic<int> m_asked{0};
    bool m_ready = false;
};

// A screen saver under service (org.gnome.ScreenSaver or
// org.freedesktop.ScreenSaver) that says ActiveChanged at path.
class FakeScreenSaver {
public:
    FakeScreenSaver(const std::string& sessionBus, const char* service, const char* path)
        : m_client(sessionBus, QString::fromLatin1(service)), m_service(service), m_path(path) {
        m_ready = m_client.Bus().registerService(QString::fromLatin1(service));
    }
    bool Ready() const { return m_ready; }

    void SetActive(bool active) {
        QDBusMessage signal =
            QDBusMessage::createSignal(QString::fromLatin1(m_path), QString::fromLatin1(m_service),
                                       QStringLiteral("ActiveChanged"));
        signal << active;
        m_client.Send(signal);
    }

private:
    BusClient m_client;
    const char* m_service;
    const char* m_path;
    bool m_ready = false;
};

} // namespace zanpel::test
