// Mutter keeps the time: an idle watch fires each time a spell without input
// reaches the watched time, and a user-active watch fires once, at the next
// input. The source sets the idle watch; when it fires, it asks how long the
// spell has lasted and sets a user-active watch; in between it does nothing.
#include "tracking/gnomeidle.h"

#include "tracking/busconnection.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QObject>

#include <algorithm>
#include <optional>

namespace zanpel {
namespace {

using std::chrono::milliseconds;

constexpr const char* Service = "org.gnome.Mutter.IdleMonitor";
constexpr const char* Path = "/org/gnome/Mutter/IdleMonitor/Core";
constexpr const char* Interface = "org.gnome.Mutter.IdleMonitor";

class TGnomeIdle final : public QObject, public IdleSource {
    Q_OBJECT

public:
    explicit TGnomeIdle(std::unique_ptr<TBusConnection> bus) : m_bus(std::move(bus)) {
        m_bus->Bus().connect(QString::fromLatin1(Service), QString::fromLatin1(Path),
                             QString::fromLatin1(Interface), QStringLiteral("WatchFired"), this,
                             SLOT(WatchFired(uint)));
    }
    ~TGnomeIdle() override {
        RemoveWatch(m_idleWatch);
        RemoveWatch(m_activeWatch);
    }
    TGnomeIdle(const TGnomeIdle&) = delete;
    TGnomeIdle& operator=(const TGnomeIdle&) = delete;

    bool Available() const override { return true; }
    std::string Name() const override { return "GNOME Shell の IdleMonitor"; }
    void Watch(milliseconds after) override;

private slots:
    void WatchFired(uint id);

private:
    template <typename T, typename OnReply>
    void Ask(const char* method, const QVariantList& args, OnReply onReply);
    void SetIdleWatch();
    void RemoveWatch(uint& id);
    void WentIdle();
    void Returned();

    std::unique_ptr<TBusConnection> m_bus;
    milliseconds m_after{0};   // asked for
    milliseconds m_watched{0}; // the time of the idle watch mutter has
    uint m_idleWatch = 0;
    uint m_activeWatch = 0;
    bool m_away = false;
    // Answers to questions asked before the last change of watch are stale.
    uint64_t m_generation = 0;
};

void TGnomeIdle::Watch(milliseconds after) {
    m_after = after;
    if (after.count() <= 0) {
        ++m_generation;
        RemoveWatch(m_idleWatch);
        RemoveWatch(m_activeWatch);
        m_away = false;
        return;
    }
    // A spell under way ends at its return; the new time counts after it.
    if (!m_away)
        SetIdleWatch();
}

// Calls method; onReply gets the answer, or nothing when mutter gave an
// error, and whether no change of watch came in between.
template <typename T, typename OnReply>
void TGnomeIdle::Ask(const char* method, const QVariantList& args, OnReply onReply) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(QString::fromLatin1(Service), QString::fromLatin1(Path),
                                       QString::fromLatin1(Interface), QString::fromLatin1(method));
    call.setArguments(args);
    auto* pending = new QDBusPendingCallWatcher(m_bus->Bus().asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this, generation = m_generation, onReply](QDBusPendingCallWatcher* answered) {
                answered->deleteLater();
                const QDBusPendingReply<T> reply = *answered;
                onReply(reply.isError() ? std::nullopt : std::optional<T>(reply.value()),
                        generation == m_generation);
            });
}

void TGnomeIdle::SetIdleWatch() {
    ++m_generation;
    RemoveWatch(m_idleWatch);
    m_watched = m_after;
    Ask<uint>("AddIdleWatch", {QVariant::fromValue<qulonglong>(m_after.count())},
              [this](std::optional<uint> id, bool current) {
                  if (id && current)
                      m_idleWatch = *id;
                  else if (id)
                      RemoveWatch(*id);
              });
}

void TGnomeIdle::RemoveWatch(uint& id) {
    if (id == 0)
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(Service), QString::fromLatin1(Path), QString::fromLatin1(Interface),
        QStringLiteral("RemoveWatch"));
    call << id;
    m_bus->Bus().asyncCall(call);
    id = 0;
}

void TGnomeIdle::WatchFired(uint id) {
    if (id == 0)
        return;
    if (id == m_idleWatch && !m_away)
        WentIdle();
    else if (id == m_activeWatch && m_away)
        Returned();
}

// The two answers come in the order of the questions: the idle time before
// the user-active watch can fire. An input between the two questions sets
// no watch off; the next input does.
void TGnomeIdle::WentIdle() {
    m_away = true;
    Ask<qulonglong>("GetIdletime", {}, [this](std::optional<qulonglong> idleFor, bool current) {
        if (current && m_away)
            Idle(std::max(m_watched, milliseconds(idleFor.value_or(0))));
    });
    Ask<uint>("AddUserActiveWatch", {}, [this](std::optional<uint> id, bool current) {
        if (id && current && m_away)
            m_activeWatch = *id;
        else if (id)
            RemoveWatch(*id);
    });
}

void TGnomeIdle::Returned() {
    // Mutter ends a user-active watch when it fires.
    m_activeWatch = 0;
    m_away = false;
    if (m_after != m_watched)
        SetIdleWatch();
    Active();
}

} // namespace

std::unique_ptr<IdleSource> ConnectGnomeIdle(const std::string& sessionBus) {
    auto bus = std::make_unique<TBusConnection>(sessionBus, QDBusConnection::SessionBus);
    if (!bus->Bus().isConnected() ||
        !bus->Bus().interface()->isServiceRegistered(QString::fromLatin1(Service)).value())
        return nullptr;
    return std::make_unique<TGnomeIdle>(std::move(bus));
}

} // namespace zanpel

#include "gnomeidle.moc"
