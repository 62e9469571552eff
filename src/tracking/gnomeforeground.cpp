#include "tracking/gnomeforeground.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
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
// signal, and its answer to what has the focus when it comes. The extension
// runs inside GNOME Shell, on the shell's own connection: any other program
// may take the extension's name (and keep the extension waiting in the
// name's queue), but only the connection that owns the shell's name is heard.
class GnomeListener : public QObject, protected QDBusContext {
    Q_OBJECT

public:
    GnomeListener(TReportedForeground& source, const QDBusConnection& bus)
        : m_source(source), m_bus(bus), m_watcher(QString::fromLatin1(GnomeExtensionBusName), bus,
                                                  QDBusServiceWatcher::WatchForOwnerChange) {
        m_watcher.addWatchedService(ShellName());
        m_bus.connect(QString::fromLatin1(GnomeExtensionBusName), QString::fromLatin1(ObjectPath),
                      QString::fromLatin1(Interface), QStringLiteral("FocusChanged"), this,
                      SLOT(FocusChanged(QString, QString, QString, uint, bool)));
        connect(&m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
                &GnomeListener::FollowOwner);
        FollowOwner();
    }

private slots:
    void FocusChanged(const QString& wmClass, const QString& appId, const QString& title, uint pid,
                      bool) {
        if (m_owner.isEmpty() || message().service() != m_owner)
            return;
        ++m_signals;
        m_source.Report(ReportOf(wmClass, appId, title, pid));
    }

private:
    static QString ShellName() { return QStringLiteral("org.gnome.Shell"); }

    QString OwnerOf(const QString& name) const {
        const QDBusReply<QString> owner = m_bus.interface()->serviceOwner(name);
        return owner.isValid() ? owner.value() : QString();
    }

    // The extension is there when the shell's connection owns its name.
    void FollowOwner() {
        const QString owner = OwnerOf(QString::fromLatin1(GnomeExtensionBusName));
        const QString heard = !owner.isEmpty() && owner == OwnerOf(ShellName()) ? owner : QString();
        if (heard == m_owner)
            return;
        m_owner = heard;
        m_source.SetAvailable(!m_owner.isEmpty());
        if (!m_owner.isEmpty())
            AskFocused();
    }

    // The extension tells changes only: ask what has the focus now.
    void AskFocused() {
        const QDBusMessage ask = QDBusMessage::createMethodCall(
            m_owner, QString::fromLatin1(ObjectPath), QString::fromLatin1(Interface),
            QStringLiteral("Focused"));
        auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(ask), this);
        const uint64_t signalsBefore = m_signals;
        connect(pending, &QDBusPendingCallWatcher::finished, this,
                [this, signalsBefore, asked = m_owner](QDBusPendingCallWatcher* call) {
                    call->deleteLater();
                    const QDBusPendingReply<QString, QString, QString, uint, bool> reply = *call;
                    // A signal that came meanwhile is newer than this answer.
                    if (reply.isError() || m_signals != signalsBefore || m_owner != asked)
                        return;
                    m_source.Report(ReportOf(reply.argumentAt<0>(), reply.argumentAt<1>(),
                                             reply.argumentAt<2>(), reply.argumentAt<3>()));
                });
    }

    TReportedForeground& m_source;
    QDBusConnection m_bus;
    QDBusServiceWatcher m_watcher;
    QString m_owner; // the extension's connection while it is heard
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
