#include "app/program.h"

#include "app/datafolder.h"
#include "app/handoverclient.h"
#include "app/handoverframe.h"
#include "app/handoverserver.h"
#include "app/instancelock.h"
#include "app/messagebox.h"
#include "app/programfont.h"
#include "app/quitsignals.h"
#include "app/zanpelform.h"
#include "records/clock.h"
#include "records/datalist.h"
#include "records/textcodec.h"
#include "settings/initparam.h"
#include "tracking/foregroundopen.h"
#include "tracking/journalsource.h"

#include <QApplication>
#include <QScreen>
#include <QSessionManager>
#include <QTimer>

#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <thread>
#include <unistd.h>

namespace zanpel {
namespace {

// ZANPEL_TRACE=FILE: one line per hand-over and per file written at the end,
// so that end-to-end tests can follow the order of things.
void Trace(const std::string& line) {
    if (const char* path = std::getenv("ZANPEL_TRACE"); path && path[0] != '\0')
        std::ofstream(path, std::ios::app) << line << '\n';
}

// Takes the single-instance lock, or hands the first parameter to the copy
// that holds it. A copy that holds the lock without answering (the
// command-line tool writing a month for a moment, or a bar just starting)
// gets a few seconds.
bool AcquireOrHandOver(InstanceLock& lock, const std::string& runtime, const char* parameter) {
    const std::string frame = parameter && parameter[0] != '\0'
                                  ? EncodeCopyDataFrame(static_cast<uint64_t>(::getpid()),
                                                        LocaleToCp932(parameter))
                                  : EncodeShowFrame();
    for (int attempt = 0; attempt < 30; ++attempt) {
        if (lock.TryAcquire())
            return true;
        if (SendHandOver(runtime + "/" + HandOverSocketName, frame, 10000))
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

// When the X server goes away (a crashed or ended session), Qt reports it and
// ends the process at once with exit(1), past every orderly end. The report
// is the last moment at which everything is still alive: write it all then.
std::function<void()> g_lastChance;
QtMessageHandler g_previousHandler = nullptr;

void WatchForLostDisplay(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("The X11 connection broke")) &&
        g_lastChance) {
        const auto save = std::move(g_lastChance);
        g_lastChance = nullptr;
        save();
    }
    if (g_previousHandler)
        g_previousHandler(type, context, text);
}

// ZANPEL_SCREENSHOT=FILE saves the screen a few seconds after the start: the
// way to see the bar on a machine without a display of its own.
void ScheduleScreenshot(QApplication& app) {
    const char* path = std::getenv("ZANPEL_SCREENSHOT");
    if (path == nullptr || path[0] == '\0')
        return;
    const QString file = QString::fromLocal8Bit(path);
    QTimer::singleShot(3000, &app, [file] {
        if (QScreen* screen = QGuiApplication::primaryScreen();
            screen && screen->grabWindow(0).save(file, "PNG"))
            std::printf("zanpel: screenshot saved to %s\n", file.toLocal8Bit().constData());
        else
            std::fprintf(stderr, "zanpel: could not save the screenshot to %s\n",
                         file.toLocal8Bit().constData());
        std::fflush(stdout);
    });
}

// The system journal, or the journal folder named by ZANPEL_JOURNAL_DIRECTORY
// for machines that keep their journals elsewhere.
JournalLocation LogLocation() {
    const char* folder = std::getenv("ZANPEL_JOURNAL_DIRECTORY");
    return folder && folder[0] != '\0' ? JournalLocation::Directory(folder) : JournalLocation::System();
}

// Notes in the trace how long the start took until the bar's first frame.
class TFirstFrame : public QObject {
public:
    explicit TFirstFrame(std::chrono::steady_clock::time_point start) : m_start(start) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            const auto ms = std::chrono::duration<double, std::milli>(
                                std::chrono::steady_clock::now() - m_start)
                                .count();
            Trace("first frame after " + std::to_string(static_cast<int>(ms)) + " ms");
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::chrono::steady_clock::time_point m_start;
    bool m_seen = false;
};

class TProgram {
public:
    // started: when the process began, for the trace of the first frame.
    explicit TProgram(std::chrono::steady_clock::time_point started)
        : m_started(started), m_reporter(m_dialogs), m_list(m_clock, m_reporter) {}

    int Run(QApplication& app, const std::string& runtime);

private:
    void StartLogSync();
    // The bar's state into the settings, then settings, definitions and month.
    void SaveAll();
    void HandOver(const THandOver& frame);

    std::chrono::steady_clock::time_point m_started;
    SystemClock m_clock;
    TMessageBoxDialogs m_dialogs;
    TDialogReporter m_reporter;
    TInitParam m_settings;
    TDataList m_list;
    std::string m_folder;
    TZanpelForm* m_form = nullptr;
    std::jthread m_logReader;
};

void TProgram::StartLogSync() {
    const CivilDate today = DecodeDate(Today(m_clock));
    const DayNumber firstDay = EncodeDate(today.Year, today.Month, 1);
    TZanpelForm* form = m_form;
    m_logReader = std::jthread([this, form, firstDay](std::stop_token stop) {
        SystemClock clock;
        TEventLog log = ReadJournal(LogLocation(), firstDay, clock, stop);
        if (stop.stop_requested())
            return;
        QMetaObject::invokeMethod(form, [this, form, log = std::move(log)] {
            m_list.SyncLoginTimes(log);
            form->Timing().RefreshButtons();
        }, Qt::QueuedConnection);
    });
}

void TProgram::HandOver(const THandOver& frame) {
    if (frame.Message == CopyDataMessage) {
        Trace("handover item " + Cp932ToUtf8(frame.Data));
        m_form->HandOverItem(frame.Data);
    } else {
        Trace("handover show");
        m_form->ShowFromSecondCopy();
    }
}

void TProgram::SaveAll() {
    if (m_form)
        m_form->FormDestroy();
    m_settings.Save(m_reporter);
    Trace("saved settings");
    m_list.SaveDefinitions();
    Trace("saved definitions");
    m_list.SaveIfAllowed();
    Trace("saved month");
}

int TProgram::Run(QApplication& app, const std::string& runtime) {
    m_folder = DataFolderOfProgram();
    std::string error;
    if (!MakeFolders(m_folder, error))
        m_reporter.ReportError(std::string(WriteErrorText) + "\r\n" + error);
    m_list.SetDataDir(m_folder);
    m_list.LoadDefinitions(m_folder + "/" + DefinitionFileName);
    m_list.ChangeDate(Today(m_clock));

    TZanpelForm::Environment env;
    env.DataFolder = QString::fromStdString(m_folder);
    env.StartLogSync = [this] { StartLogSync(); };
    env.Foreground = OpenForegroundSource();
    env.Trace = Trace;
    env.OpenJournal = [] { return MakeJournalSource(LogLocation()); };
    auto form = std::make_unique<TZanpelForm>(m_settings, m_list, m_clock, m_dialogs, env);
    m_form = form.get();
    m_dialogs.SetParent(m_form);

    THandOverServer server;
    server.OnHandOver = [this](const THandOver& frame) { HandOver(frame); };
    server.Listen(QString::fromStdString(runtime + "/" + HandOverSocketName));
    TQuitSignals quitSignals([this] { m_form->close(); });
    // At the end of the desktop session everything is written before the
    // session manager may end the process.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app,
                     [this](QSessionManager&) { SaveAll(); });

    TFirstFrame firstFrame(m_started);
    m_form->installEventFilter(&firstFrame);
    m_form->FormCreate(m_folder + "/" + SettingsFileName, m_reporter);
    Trace("started " + Cp932ToUtf8(m_settings.SelectedWork));
    ScheduleScreenshot(app);
    g_lastChance = [this] { SaveAll(); };
    g_previousHandler = qInstallMessageHandler(WatchForLostDisplay);
    const int code = app.exec();
    g_lastChance = nullptr;

    m_logReader = {};
    m_form->FormDestroy();
    m_dialogs.SetParent(nullptr);
    m_form = nullptr;
    form.reset();
    SaveAll();
    return code;
}

} // namespace

int RunProgram(int argc, char** argv) {
    const auto started = std::chrono::steady_clock::now();
    std::setlocale(LC_CTYPE, "");
    const std::string runtime = InstanceLock::RuntimeFolder();
    InstanceLock lock(runtime);
    // The running item is not stopped at exit, and a second copy writes
    // nothing: only the copy that holds the lock touches the files.
    if (!AcquireOrHandOver(lock, runtime, argc > 1 ? argv[1] : nullptr))
        return 0;
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Zanpel"));
    app.setQuitOnLastWindowClosed(false);
    ApplyProgramFont(app);
    TProgram program(started);
    return program.Run(app, runtime);
}

} // namespace zanpel
