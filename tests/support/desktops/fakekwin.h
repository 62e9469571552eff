// KWin's scripting interface on a bus of the test's own, as far as the
// bar uses it: loadScript, unloadScript and isScriptLoaded on /Scripting,
// run on the loaded script's object. It owns org.kde.KWin on a connection
// of its own, served by a thread of its own, so that the bar's blocking
// calls get their answers while the test's thread waits in them. It reads
// the script file as KWin does, and calls the bar as the script would.
#pragma once

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVirtualObject>
#include <QFile>
#include <QThread>

#include <sys/stat.h>

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace zanpel::test {

class FakeKWin final : public QDBusVirtualObject {
public:
    // What the fake does: the id loadScript answers (-1: it refuses the
    // script) and the paths on which run answers (KWin 5.27's "/<id>").
    struct TBehaviour {
        int ScriptId = 0;
        std::set<std::string> RunPaths{"/0"};
    };
    // A loaded script's file as KWin read it.
    struct TScriptFile {
        std::string Path;
        std::string Text;
        unsigned Mode = 0;
    };

    FakeKWin(const QString& busAddress, TBehaviour behaviour)
        : m_behaviour(std::move(behaviour)),
          m_bus(QDBusConnection::connectToBus(busAddress, QStringLiteral("fake-kwin"))) {
        moveToThread(&m_thread);
        m_thread.start();
        // Registered from its thread, where what the bus makes for it lives.
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_bus.registerVirtualObject(QStringLiteral("/"), this, QDBusConnection::SubPath);
                m_bus.registerService(QStringLiteral("org.kde.KWin"));
            },
            Qt::BlockingQueuedConnection);
    }
    ~FakeKWin() override {
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_bus.unregisterService(QStringLiteral("org.kde.KWin"));
                m_bus.unregisterObject(QStringLiteral("/"), QDBusConnection::UnregisterTree);
            },
            Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-kwin"));
    }
    FakeKWin(const FakeKWin&) = delete;
    FakeKWin& operator=(const FakeKWin&) = delete;

    // A script of name that a bar before left loaded.
    void Preload(const std::string& name) {
        std::lock_guard lock(m_mutex);
        m_loaded.insert(name);
    }
    bool Loaded(const std::string& name) const {
        std::lock_guard lock(m_mutex);
        return m_loaded.count(name) != 0;
    }
    // The calls so far, "member argument..." each, in their order.
    std::vector<std::string> Calls() const {
        std::lock_guard lock(m_mutex);
        return m_calls;
    }
    TScriptFile Script() const {
        std::lock_guard lock(m_mutex);
        return m_script;
    }
    // Calls service as the script does, from KWin's connection.
    QDBusPendingCall CallAsScript(const QString& service, const QString& path,
                                  const QString& interface, const QString& method,
                                  const QVariantList& arguments) const {
        QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
        call.setArguments(arguments);
        return m_bus.asyncCall(call);
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        std::lock_guard lock(m_mutex);
        const QVariantList arguments = message.arguments();
        std::string call = message.member().toStdString();
        for (const QVariant& argument : arguments)
            call += " " + argument.toString().toStdString();
        m_calls.push_back(call);
        const std::string name = arguments.value(arguments.size() - 1).toString().toStdString();
        QDBusMessage reply = message.createReply();
        if (message.member() == "loadScript" && arguments.size() == 2) {
            // As KWin: no second script of a name, even one on its way out.
            const bool loads = m_behaviour.ScriptId >= 0 && m_unloading.count(name) == 0 &&
                               m_loaded.insert(name).second;
            if (loads)
                Read(arguments[0].toString());
            reply << (loads ? m_behaviour.ScriptId : -1);
        } else if (message.member() == "unloadScript") {
            const bool unloads = m_loaded.erase(name) != 0;
            if (unloads)
                m_unloading.insert(name);
            reply << unloads;
        } else if (message.member() == "isScriptLoaded") {
            // KWin lets an unloaded script go on its next pass: here, the
            // first question after the unload still finds it.
            reply << (m_loaded.count(name) != 0 || m_unloading.erase(name) != 0);
        } else if (message.member() == "run" &&
                   m_behaviour.RunPaths.count(message.path().toStdString()) == 0) {
            reply = message.createErrorReply(QDBusError::UnknownObject, message.path());
        } else if (message.member() != "run") {
            return false;
        }
        connection.send(reply);
        return true;
    }
    QString introspect(const QString&) const override { return {}; }

private:
    void Read(const QString& path) {
        QFile file(path);
        struct stat status {};
        ::stat(path.toLocal8Bit().constData(), &status);
        m_script = {path.toStdString(),
                    file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string(),
                    static_cast<unsigned>(status.st_mode & 07777)};
    }

    TBehaviour m_behaviour;
    QThread m_thread;
    QDBusConnection m_bus;
    mutable std::mutex m_mutex;
    std::set<std::string> m_loaded;
    std::set<std::string> m_unloading;
    std::vector<std::string> m_calls;
    TScriptFile m_script;
};

} // namespace zanpel::test
