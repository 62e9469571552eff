// logind's LockedHint is set by the desktop's locker (GNOME Shell, KDE's
// screen locker). logind's Lock and Unlock signals are not followed: they
// ask the session's locker to act, and a locker that acts on them need not
// set the hint; nothing is sent when the user unlocks it, so a lock taken
// from Lock could outlast the user's return.
#include "tracking/screenlock.h"

#include "tracking/busconnection.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

namespace zanpel {
namespace {

constexpr const char* Logind = "org.freedesktop.login1";
constexpr const char* SessionInterface = "org.freedesktop.login1.Session";
constexpr const char* Properties = "org.freedesktop.DBus.Properties";

struct TScreenSaver {
    const char* Service;
    const char* Path;
    const char* Interface;
};
// KDE's screen saver answers at both of its paths.
constexpr TScreenSaver ScreenSavers[] = {
    {"org.gnome.ScreenSaver", "/org/gnome/ScreenSaver", "org.gnome.ScreenSaver"},
    {"org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver", "org.freedesktop.ScreenSaver"},
    {"org.freedesktop.ScreenSaver", "/ScreenSaver", "org.freedesktop.ScreenSaver"},
};

class TScreenLockWatch final : public QObject, public ScreenLockWatch {
    Q_OBJECT

public:
    TScreenLockWatch(std::function<void(bool)> onChange, const TBusAddresses& buses)
        : m_onChange(std::move(onChange)), m_system(buses.System, QDBusConnection::SystemBus),
          m_session(buses.Session, QDBusConnection::SessionBus) {
        for (const TScreenSaver& saver : ScreenSavers)
            m_session.Bus().connect(QString::fromLatin1(saver.Service),
                                    QString::fromLatin1(saver.Path),
                                    QString::fromLatin1(saver.Interface),
                                    QStringLiteral("ActiveChanged"), this, SLOT(Tell(bool)));
        if (m_system.Bus().isConnected())
            FindSession();
    }

private slots:
    void Tell(bool locked) {
        if (locked == m_locked)
            return;
        m_locked = locked;
        m_onChange(locked);
    }
    void SessionChanged(const QString& interface, const QVariantMap& changed, const QStringList&) {
        const auto hint = changed.find(QStringLiteral("LockedHint"));
        if (interface == QLatin1String(SessionInterface) && hint != changed.end())
            Tell(hint->toBool());
    }

private:
    template <typename T, typename OnReply> void Ask(const QDBusMessage& call, OnReply onReply);
    void FindSession();
    void Follow(const QString& session);

    std::function<void(bool)> m_onChange;
    TBusConnection m_system;
    TBusConnection m_session;
    bool m_locked = false;
};

template <typename T, typename OnReply>
void TScreenLockWatch::Ask(const QDBusMessage& call, OnReply onReply) {
    auto* pending = new QDBusPendingCallWatcher(m_system.Bus().asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [onReply](QDBusPendingCallWatcher* answered) {
                answered->deleteLater();
                const QDBusPendingReply<T> reply = *answered;
                if (!reply.isError())
                    onReply(reply.value());
            });
}

// "auto": the session of the program, or else the user's graphical session
// (a program that the desktop starts in a unit of its own is in no session).
void TScreenLockWatch::FindSession() {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(Logind), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("GetSession"));
    call << QStringLiteral("auto");
    Ask<QDBusObjectPath>(call, [this](const QDBusObjectPath& session) { Follow(session.path()); });
}

void TScreenLockWatch::Follow(const QString& session) {
    m_system.Bus().connect(QString::fromLatin1(Logind), session, QString::fromLatin1(Properties),
                           QStringLiteral("PropertiesChanged"), this,
                           SLOT(SessionChanged(QString, QVariantMap, QStringList)));
    // A change that comes before the answer is older than the answer.
    QDBusMessage call =
        QDBusMessage::createMethodCall(QString::fromLatin1(Logind), session,
                                       QString::fromLatin1(Properties), QStringLiteral("Get"));
    call << QString::fromLatin1(SessionInterface) << QStringLiteral("LockedHint");
    Ask<QDBusVariant>(call, [this](const QDBusVariant& hint) { Tell(hint.variant().toBool()); });
}

} // namespace

std::unique_ptr<ScreenLockWatch> WatchScreenLock(std::function<void(bool)> onChange,
                                                 const TBusAddresses& buses) {
    return std::make_unique<TScreenLockWatch>(std::move(onChange), buses);
}

} // namespace zanpel

#include "screenlock.moc"
