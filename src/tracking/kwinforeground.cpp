#include "tracking/kwinforeground.h"

#include "tracking/kwinscript.h"
#include "tracking/reportedforeground.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVirtualObject>
#include <QDeadlineTimer>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QThread>

#include <cmath>
#include <limits>
#include <optional>

namespace zanpel {
namespace {

const QString KWinService = QStringLiteral("org.kde.KWin");
const QString ScriptingPath = QStringLiteral("/Scripting");
const QString ScriptingInterface = QStringLiteral("org.kde.kwin.Scripting");
const QString ScriptInterface = QStringLiteral("org.kde.kwin.Script");
// KWin answers at once; a KWin that hangs must not hold the bar's start or
// end for the bus's own 25 seconds.
constexpr int CallTimeoutMs = 3000;
// Far more than a rule compares (a title is cut to 255 bytes later): a
// longer text is cut here, before it is converted.
constexpr qsizetype MaxTextChars = 1024;

QDBusMessage CallKWin(const QDBusConnection& bus, const QString& path, const QString& interface,
                      const QString& method, const QVariantList& arguments = {}) {
    QDBusMessage call = QDBusMessage::createMethodCall(KWinService, path, interface, method);
    call.setArguments(arguments);
    return bus.call(call, QDBus::Block, CallTimeoutMs);
}

bool ScriptLoaded(const QDBusConnection& bus) {
    const QDBusMessage answer =
        CallKWin(bus, ScriptingPath, ScriptingInterface, QStringLiteral("isScriptLoaded"),
                 {QString::fromLatin1(KWinScriptName)});
    return answer.type() == QDBusMessage::ReplyMessage && answer.arguments().value(0).toBool();
}

// Unloads our script, the one that a bar that crashed left running too.
// KWin unloads a script on its next pass and refuses to load one of the
// same name until then: false when it keeps it.
bool UnloadScript(const QDBusConnection& bus) {
    const QDBusMessage answer =
        CallKWin(bus, ScriptingPath, ScriptingInterface, QStringLiteral("unloadScript"),
                 {QString::fromLatin1(KWinScriptName)});
    if (answer.type() != QDBusMessage::ReplyMessage || !answer.arguments().value(0).toBool())
        return true; // none was loaded
    QDeadlineTimer deadline(CallTimeoutMs);
    while (ScriptLoaded(bus)) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(5);
    }
    return true;
}

std::string CutText(const QString& text) {
    QString cut = text.left(MaxTextChars);
    if (!cut.isEmpty() && cut.back().isHighSurrogate())
        cut.chop(1);
    return cut.toStdString();
}

// A process id as a JavaScript number may come: any integer type, or a
// double that holds an integer. Out of range (KWin's -1): unknown.
std::optional<uint32_t> PidOf(const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        break;
    default:
        return std::nullopt;
    }
    const double number = value.toDouble();
    if (!std::isfinite(number) || std::floor(number) != number)
        return std::nullopt;
    if (number < 1 || number > std::numeric_limits<uint32_t>::max())
        return 0;
    return static_cast<uint32_t>(number);
}

// The window of a call: resource class, caption, process id; nothing when
// the call has other arguments.
std::optional<TWindowReport> ReportOfCall(const QVariantList& arguments) {
    if (arguments.size() != 3 || arguments[0].metaType() != QMetaType::fromType<QString>() ||
        arguments[1].metaType() != QMetaType::fromType<QString>())
        return std::nullopt;
    const std::optional<uint32_t> pid = PidOf(arguments[2]);
    if (!pid)
        return std::nullopt;
    return TWindowReport{CutText(arguments[0].toString()), CutText(arguments[1].toString()), *pid};
}

// The bar's object that the script calls. Anyone on the session bus may
// call it; only KWin's own connection is listened to.
class TScriptReceiver final : public QDBusVirtualObject {
public:
    TScriptReceiver(TReportedForeground& source, QString kwin)
        : m_source(source), m_kwin(std::move(kwin)) {}

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.interface() != QLatin1String(KWinReportInterface) ||
            message.member() != QLatin1String(KWinReportMethod))
            return false;
        if (message.service() != m_kwin)
            return Answer(
                connection, message,
                message.createErrorReply(QDBusError::AccessDenied, "only KWin reports here"));
        const std::optional<TWindowReport> window = ReportOfCall(message.arguments());
        if (!window)
            return Answer(
                connection, message,
                message.createErrorReply(QDBusError::InvalidArgs, "expected (s, s, pid)"));
        m_source.Report(*window);
        return Answer(connection, message, message.createReply());
    }

    QString introspect(const QString&) const override {
        return QStringLiteral("<interface name=\"%1\"><method name=\"%2\">"
                              "<arg type=\"s\" direction=\"in\"/><arg type=\"s\" direction=\"in\"/>"
                              "<arg type=\"i\" direction=\"in\"/></method></interface>")
            .arg(QLatin1String(KWinReportInterface), QLatin1String(KWinReportMethod));
    }

private:
    // Handled, with the answer the caller waits for, if it waits.
    static bool Answer(const QDBusConnection& connection, const QDBusMessage& call,
                       const QDBusMessage& reply) {
        if (call.isReplyRequired())
            connection.send(reply);
        return true;
    }

    TReportedForeground& m_source;
    QString m_kwin;
};

class TKWinForeground final : public ForegroundSource {
public:
    TKWinForeground(QDBusConnection bus, uint32_t ownPid, const QString& kwin)
        : m_bus(std::move(bus)), m_reported(ownPid), m_receiver(m_reported, kwin) {
        m_reported.SetOnChange([this] { Changed(); });
    }
    ~TKWinForeground() override {
        if (m_loaded)
            UnloadScript(m_bus);
        if (m_registered)
            m_bus.unregisterObject(QString::fromLatin1(KWinReportPath));
        m_reported.SetOnChange(nullptr);
    }
    TKWinForeground(const TKWinForeground&) = delete;
    TKWinForeground& operator=(const TKWinForeground&) = delete;

    bool Available() const override { return m_reported.Available(); }
    const TForegroundApp& Foreground() const override { return m_reported.Foreground(); }
    uint64_t ActiveWindow() const override { return m_reported.ActiveWindow(); }

    // Serves the object, writes the script and has KWin run it.
    bool Start() {
        m_registered =
            m_bus.registerVirtualObject(QString::fromLatin1(KWinReportPath), &m_receiver);
        if (!m_registered || !WriteScript())
            return false;
        m_loaded = LoadScript();
        m_reported.SetAvailable(m_loaded);
        return m_loaded;
    }

private:
    // Private to the user (0600, as a temporary file is made), in the
    // runtime folder; it stays while KWin may read it, removed with the
    // source.
    bool WriteScript() {
        const std::string text = KWinScriptText(m_bus.baseService().toStdString());
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (text.empty() || folder.isEmpty())
            return false;
        m_script.setFileTemplate(folder + QStringLiteral("/zanpel-kwin-XXXXXX.js"));
        return m_script.open() &&
               m_script.write(text.data(), static_cast<qint64>(text.size())) ==
                   static_cast<qint64>(text.size()) &&
               m_script.flush();
    }

    bool LoadScript() {
        const QString name = QString::fromLatin1(KWinScriptName);
        if (!UnloadScript(m_bus))
            return false;
        const QDBusMessage loaded =
            CallKWin(m_bus, ScriptingPath, ScriptingInterface, QStringLiteral("loadScript"),
                     {m_script.fileName(), name});
        const QVariantList answer = loaded.arguments();
        if (loaded.type() != QDBusMessage::ReplyMessage || answer.size() != 1 ||
            answer[0].metaType() != QMetaType::fromType<int>() || answer[0].toInt() < 0)
            return false;
        if (RunScript(answer[0].toInt()))
            return true;
        UnloadScript(m_bus);
        return false;
    }

    // KWin 5.27 serves a loaded script at /<id>, Plasma 6 at
    // /Scripting/Script<id>.
    bool RunScript(int id) const {
        for (const QString& path :
             {QStringLiteral("/%1").arg(id), QStringLiteral("/Scripting/Script%1").arg(id)})
            if (CallKWin(m_bus, path, ScriptInterface, QStringLiteral("run")).type() ==
                QDBusMessage::ReplyMessage)
                return true;
        return false;
    }

    QDBusConnection m_bus;
    TReportedForeground m_reported;
    TScriptReceiver m_receiver;
    QTemporaryFile m_script;
    bool m_registered = false;
    bool m_loaded = false;
};

} // namespace

std::unique_ptr<ForegroundSource> ConnectKWinForeground(uint32_t ownPid) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || bus.interface() == nullptr)
        return nullptr;
    const QDBusReply<QString> kwin = bus.interface()->serviceOwner(KWinService);
    if (!kwin.isValid() || kwin.value().isEmpty())
        return nullptr;
    auto source = std::make_unique<TKWinForeground>(bus, ownPid, kwin.value());
    if (!source->Start())
        return nullptr;
    return source;
}

} // namespace zanpel
