// GNOME Shell on a bus of the test's own, as far as the bar's GNOME source
// sees it: a connection that owns org.gnome.Shell and, while our extension
// is enabled, the extension's name, answers the extension's Focused and
// emits its FocusChanged. Made without the shell's name, it is another
// program that took the extension's name. It lives in the test's thread:
// the source asks it nothing that blocks.
#pragma once

#include "tracking/reportedforeground.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVirtualObject>

#include <utility>

namespace zanpel::test {

class FakeGnomeShell final : public QDBusVirtualObject {
public:
    struct TWindow {
        QString WmClass;
        QString AppId;
        QString Title;
        uint Pid = 0;
    };

    // connectionName: Qt's name of the connection, one per fake.
    FakeGnomeShell(const QString& busAddress, QString connectionName, bool ownsShellName)
        : m_name(std::move(connectionName)),
          m_bus(QDBusConnection::connectToBus(busAddress, m_name)) {
        m_bus.registerVirtualObject(QLatin1String(ObjectPath), this);
        if (ownsShellName)
            m_bus.interface()->registerService(QStringLiteral("org.gnome.Shell"));
    }
    ~FakeGnomeShell() override {
        m_bus.unregisterObject(QLatin1String(ObjectPath));
        QDBusConnection::disconnectFromBus(m_name);
    }
    FakeGnomeShell(const FakeGnomeShell&) = delete;
    FakeGnomeShell& operator=(const FakeGnomeShell&) = delete;

    // As the extension's enable() and disable(): the name is asked for in
    // the bus's queue, behind an owner that has it.
    void EnableExtension() {
        m_bus.interface()->registerService(QString::fromLatin1(GnomeExtensionBusName),
                                           QDBusConnectionInterface::QueueService,
                                           QDBusConnectionInterface::DontAllowReplacement);
    }
    void DisableExtension() {
        m_bus.interface()->unregisterService(QString::fromLatin1(GnomeExtensionBusName));
    }
    // The focus goes to window: the signal, and Focused's answer from now on.
    void Focus(const TWindow& window) {
        m_focused = window;
        QDBusMessage signal = QDBusMessage::createSignal(
            QLatin1String(ObjectPath), QLatin1String(Interface), QStringLiteral("FocusChanged"));
        signal.setArguments(Values());
        m_bus.send(signal);
    }
    QString UniqueName() const { return m_bus.baseService(); }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.interface() != QLatin1String(Interface) ||
            message.member() != QLatin1String("Focused"))
            return false;
        QDBusMessage reply = message.createReply();
        reply.setArguments(Values());
        connection.send(reply);
        return true;
    }
    QString introspect(const QString&) const override { return {}; }

    static constexpr const char* ObjectPath = "/org/example/zanpel/Foreground";
    static constexpr const char* Interface = "org.example.zanpel.Foreground";

private:
    QVariantList Values() const {
        return {m_focused.WmClass, m_focused.AppId, m_focused.Title, m_focused.Pid, false};
    }

    QString m_name;
    QDBusConnection m_bus;
    TWindow m_focused;
};

} // namespace zanpel::test
