#include "tracking/gnomeforeground.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QObject>

namespace zanpel {
namespace {

constexpr const char* ObjectPath = "/org/example/zanpel/Foreground";
constexpr const char* Interface = "org.example.zanpel.Foreground";

// The report of the extension's five values: the window's class names the
// program when its process cannot; an app id ("org.gnome.Terminal.desktop")
// only when the window has no class.
TWindowReport ReportOf(const QString& wmClass, const QString& appId, const QString& title,
                       uint pid) {
    QString name = wmClass;
    if (name.isEmpty()) {
        name = appId;
        if (name.endsWith(QLatin1String(".desktop")))
            name.chop(8);
    }
    return {name.toStdString(), title.toStdString(), pid};
}

// Follows the extension on the session bus: its name coming and going, its
// signal, and its answer to what has the focus when it comes.
class GnomeListener : public QObject {
    Q_OBJECT

public:
    GnomeListener(TReportedForeground& source, const QDBusConnection& bus)
        : m_source(source), m_bus(bus),
          m_watcher(QString::fromLatin1(GnomeExtensionBusName), bus,
                    QDBusServiceWatcher::WatchForRegistration |
                        QDBusServiceWatcher::WatchForUnregistration) {
        // Only the owner of the extension's name is heard.
        m_bus.connect(QString::fromLatin1(GnomeExtensionBusName), QString::fromLatin1(ObjectPath),
                      QString::fromLatin1(Interface), QStringLiteral("FocusChanged"), this,
                      SLOT(FocusChanged(QString, QString, QString, uint, bool)));
        connect(&m_watcher, &QDBusServiceWatcher::serviceRegistered, this,
                &GnomeListener::Appeared);
        connect(&m_watcher, &QDBusServiceWatcher::serviceUnregistered, this,
                [this] { m_source.SetAvailable(false); });
        if (m_bus.interface()->isServiceRegistered(QString::fromLatin1(GnomeExtensionBusName)))
            Appeared();
    }

private slots:
    void FocusChanged(const QString& wmClass, const QString& appId, const QString& title, uint pid,
                      bool) {
        ++m_signals;
        m_source.SetAvailable(true);
        m_source.Report(ReportOf(wmClass, appId, title, pid));
    }

private:
    // The extension tells changes only: ask what has the focus now.
    void Appeared() {
        m_source.SetAvailable(true);
        const QDBusMessage ask = QDBusMessage::createMethodCall(
            QString::fromLatin1(GnomeExtensionBusName), QString::fromLatin1(ObjectPath),
            QString::fromLatin1(Interface), QStringLiteral("Focused"));
        auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(ask), this);
        const uint64_t signalsBefore = m_signals;
        connect(pending, &QDBusPendingCallWatcher::finished, this,
                [this, signalsBefore](QDBusPendingCallWatcher* call) {
                    call->deleteLater();
                    const QDBusPendingReply<QString, QString, QString, uint, bool> reply = *call;
                    // A signal that came meanwhile is newer than this answer.
                    if (reply.isError() || m_signals != signalsBefore)
                        return;
                    m_source.Report(ReportOf(reply.argumentAt<0>(), reply.argumentAt<1>(),
                                             reply.argumentAt<2>(), reply.argumentAt<3>()));
                });
    }

    TReportedForeground& m_source;
    QDBusConnection m_bus;
    QDBusServiceWatcher m_watcher;
    uint64_t m_signals = 0;
};

class TGnomeForeground final : public TReportedForeground {
public:
    TGnomeForeground(uint32_t ownPid, const QDBusConnection& bus)
        : TReportedForeground(ownPid), m_listener(*this, bus) {}

private:
    GnomeListener m_listener;
};

} // namespace

bool GnomeShellRuns() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() &&
           bus.interface()->isServiceRegistered(QStringLiteral("org.gnome.Shell")).value();
}

std::unique_ptr<ForegroundSource> ConnectGnomeForeground(uint32_t ownPid) {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return nullptr;
    return std::make_unique<TGnomeForeground>(ownPid, bus);
}

} // namespace zanpel

#include "gnomeforeground.moc"
