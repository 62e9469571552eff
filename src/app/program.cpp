#include "app/program.h"

#include "app/autostart.h"
#include "app/datafolder.h"
#include "app/endsave.h"
#include "app/handoverclient.h"
#include "app/handoverframe.h"
#include "app/handoverserver.h"
#include "app/infooptions.h"
#include "app/instancelock.h"
#include "app/lostdisplay.h"
#include "app/messagebox.h"
#include "app/programclock.h"
#include "app/programfont.h"
#include "app/programicon.h"
#include "app/programtrace.h"
#include "app/quitsignals.h"
#include "app/runtimefolder.h"
#include "app/secondcopy.h"
#include "app/sessionsetup.h"
#include "app/startscreenshot.h"
#include "app/version.h"
#include "app/zanpelform.h"
#include "controls/messageboxes.h"
#include "records/clock.h"
#include "records/textcodec.h"
#include "settings/initparam.h"
#include "tracking/journalopen.h"
#include "worklist/datalist.h"

#include <QApplication>
#include <QSessionManager>
#include <QTimer>

#include <unistd.h>

#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace zanpel {
namespace {

// Time a second copy gives the running one to answer: a stopped or hung bar
// is given up on after it.
constexpr int HandOverTimeoutMs = 10000;

// The data folder's lock keeps the command-line tool from writing under the
// bar. The tool holds it only while it writes, so a few seconds are given.
// A folder where the lock cannot even be made is no reason to refuse: its
// files will report their own errors.
bool AcquireDataFolder(InstanceLock& lock) {
    for (int attempt = 0; attempt < 30; ++attempt) {
        if (lock.TryAcquire() || !lock.Error().empty())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

// The bar runs on without the data folder's lock, but the user must know
// that a second bar or the tool may then write the same files (UTF-8).
std::string LockMissingText(const std::string& cause) {
    return "データフォルダのロック (zanpel.lock) を作れません。\r\n"
           "別の zanpel や zanpelctl が同じフォルダに書込んでも防げず、"
           "記録が上書きされることがあります。\r\n" +
           cause;
}

// The system journal, or the journal folder named by ZANPEL_JOURNAL_DIRECTORY
// for machines that keep their journals elsewhere.
JournalLocation LogLocation() {
    const char* folder = std::getenv("ZANPEL_JOURNAL_DIRECTORY");
    return folder && folder[0] != '\0' ? JournalLocation::Directory(folder)
                                       : JournalLocation::System();
}

class TProgram {
public:
    // started: when the process began, for the trace of the first frame;
    // folder: the data folder, made already (folderError: why not);
    // lockError: why its lock could not be made, if so.
    TProgram(std::chrono::steady_clock::time_point started, std::string folder,
             std::string folderError, std::string lockError)
        : m_started(started), m_reporter(m_dialogs), m_list(*m_clock, m_reporter),
          m_folder(std::move(folder)), m_folderError(std::move(folderError)),
          m_lockError(std::move(lockError)) {}

    int Run(QApplication& app, const std::string& runtime);

private:
    void StartLogSync();
    // The bar's state into the settings, then settings, definitions and month.
    // mayAsk: a month that could not be written may be retried at the user's
    // word (not when the display is gone).
    void SaveAll(bool mayAsk);
    void HandOver(const THandOver& frame);
    // A quit signal: the orderly end, once. A request that comes before the
    // event loop runs (a start-up error box is open) closes the box and is
    // acted on as soon as the start is done.
    void RequestQuit();
    void CloseOpenBoxes();

    std::chrono::steady_clock::time_point m_started;
    std::unique_ptr<TEndingClock> m_clock = std::make_unique<TEndingClock>(MakeProgramClock());
    TMessageBoxDialogs m_dialogs;
    TTracingReporter m_reporter;
    TInitParam m_settings;
    TDataList m_list;
    std::string m_folder;
    std::string m_folderError;
    std::string m_lockError;
    TZanpelForm* m_form = nullptr;
    bool m_looping = false; // the event loop runs
    bool m_quitRequested = false;
    bool m_ending = false; // the orderly end has begun
    std::jthread m_logReader;
};

void TProgram::CloseOpenBoxes() {
    while (QWidget* modal = QApplication::activeModalWidget()) {
        modal->close();
        if (QApplication::activeModalWidget() == modal)
            break;
    }
}

void TProgram::RequestQuit() {
    if (m_ending) {
        // Asked again while the files are being written (a double Ctrl+C, a
        // session manager that asks twice): the end goes on as it is, only
        // without waiting for anyone to close its boxes.
        TraceLine("quit requested again");
        m_dialogs.SetSilent(true);
        CloseOpenBoxes();
        return;
    }
    if (m_quitRequested)
        return;
    m_quitRequested = true;
    m_clock->Hold(); // what is saved from here on ends now
    TraceLine("quit requested");
    // Before the bar ever ran, nothing the user did is at stake: the rest of
    // the start and the end ask nothing, and their errors go to standard error.
    if (!m_looping)
        m_dialogs.SetSilent(true);
    // A box or dialog waiting for the user would hold the end up.
    CloseOpenBoxes();
    if (m_looping && m_form)
        m_form->close();
}

void TProgram::StartLogSync() {
    const CivilDate today = DecodeDate(Today(*m_clock));
    const DayNumber firstDay = EncodeDate(today.Year, today.Month, 1);
    TZanpelForm* form = m_form;
    m_logReader = std::jthread([this, form, firstDay](std::stop_token stop) {
        SystemClock clock;
        TEventLog log = ReadJournal(LogLocation(), firstDay, clock, stop);
        if (stop.stop_requested())
            return;
        QMetaObject::invokeMethod(
            form,
            [this, form, log = std::move(log)] {
                m_list.SyncLoginTimes(log);
                form->Timing().RefreshButtons();
            },
            Qt::QueuedConnection);
    });
}

void TProgram::HandOver(const THandOver& frame) {
    if (frame.Message == CopyDataMessage) {
        TraceLine("handover item " + Cp932ToUtf8(frame.Data));
        m_form->HandOverItem(frame.Data);
    } else {
        TraceLine("handover show");
        m_form->ShowFromSecondCopy();
    }
}

void TProgram::SaveAll(bool mayAsk) {
    if (m_form)
        m_form->FormDestroy();
    TEndSave end{m_settings, m_list,
                 m_reporter, m_folder + "/" + DefinitionFileName,
                 {},         [](const std::string& line) { TraceLine(line); }};
    if (mayAsk)
        end.AskAgain = [this](const std::string& question) { return m_dialogs.Confirm(question); };
    SaveAtEnd(end);
}

int TProgram::Run(QApplication& app, const std::string& runtime) {
    TQuitSignals quitSignals([this] { RequestQuit(); });
    if (!m_folderError.empty())
        m_reporter.ReportError(std::string(WriteErrorText) + "\r\n" + m_folderError);
    else if (!m_lockError.empty())
        m_reporter.ReportError(LockMissingText(m_lockError));
    m_list.SetDataDir(m_folder);
    m_list.LoadDefinitions(m_folder + "/" + DefinitionFileName);
    m_list.ChangeDate(Today(*m_clock));

    // What the first frame does not need waits until it is drawn.
    TFirstFrame firstFrame(m_started);
    TZanpelForm::Environment env;
    env.DataFolder = QString::fromStdString(m_folder);
    env.StateFolder = StateFolderOfProgram();
    if (env.StateFolder.empty())
        TraceLine("switch log: 切換え履歴は保存されません:"
                  " XDG_STATE_HOME も HOME も絶対パスではありません");
    env.StartLogSync = [this, &firstFrame] {
        firstFrame.AfterFirstFrame([this] { StartLogSync(); });
    };
    env.Trace = TraceLine;
    env.OpenJournal = [] { return MakeJournalSource(LogLocation()); };
    // "ログイン時に起動" of the settings dialog: the autostart entry is the state.
    env.IsAutostartOn = [] { return IsAutostartOn(AutostartPathsOfProgram()); };
    env.SetAutostart = [](bool on) { return SetAutostart(on, AutostartPathsOfProgram()); };
    SetUpSession(env, DesktopId,
                 [&firstFrame](std::function<void()> job) { firstFrame.AfterFirstFrame(job); });
    auto form = std::make_unique<TZanpelForm>(m_settings, m_list, *m_clock, m_dialogs, env);
    m_form = form.get();
    m_dialogs.SetParent(m_form);

    THandOverServer server;
    server.OnHandOver = [this](const THandOver& frame) { HandOver(frame); };
    server.Listen(QString::fromStdString(runtime + "/" + HandOverSocketName));
    // At the end of the desktop session everything is written before the
    // session manager may end the process.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app,
                     [this](QSessionManager&) { SaveAll(true); });

    m_form->installEventFilter(&firstFrame);
    // The icon of every window: on X11 each size goes to the server with
    // every new window, the bar's first among them.
    firstFrame.AfterFirstFrame([&app] { app.setWindowIcon(ProgramIcon()); });
    m_form->FormCreate(m_folder + "/" + SettingsFileName, m_reporter);
    TraceLine("started " + Cp932ToUtf8(m_settings.SelectedWork));
    if (env.Session.Placement == TPlacementMethod::None)
        QTimer::singleShot(0, m_form, [this] {
            TraceLine("notice " + WaylandNoticeText());
            m_dialogs.Inform(WaylandNoticeText());
        });
    // Switching by application is on, but GNOME shows it no Wayland window.
    if (env.Session.Coverage == TForegroundCoverage::GnomeWithoutExtension &&
        m_settings.AppSwitchMode)
        QTimer::singleShot(0, m_form, [this] {
            TraceLine("notice " + GnomeExtensionHint());
            m_dialogs.Inform(GnomeExtensionHint());
        });
    ScheduleScreenshot(app, m_form);
    SaveWhenDisplayIsLost([this] { SaveAll(false); });
    int code = 0;
    if (!m_quitRequested) {
        m_looping = true;
        code = app.exec();
        m_looping = false;
    }
    // The bar was closed (its exit command) or told to quit: the records end
    // at this moment, not when the last error box of the end is answered.
    m_clock->Hold();
    ForgetLostDisplaySave();
    m_ending = true;

    m_logReader = {};
    m_form->FormDestroy();
    m_dialogs.SetParent(nullptr);
    m_form = nullptr;
    form.reset();
    SaveAll(true);
    return code;
}

} // namespace

int RunProgram(int argc, char** argv) {
    const auto started = std::chrono::steady_clock::now();
    std::setlocale(LC_CTYPE, "");
    if (const std::string text = InfoOptionText(argc, argv); !text.empty()) {
        std::fputs(text.c_str(), stdout);
        return 0;
    }
    const std::string runtime = InstanceLock::RuntimeFolder();
    if (const std::string problem = RuntimeFolderProblem(runtime, ::getuid()); !problem.empty()) {
        std::fprintf(stderr, "zanpel: %s\n", problem.c_str());
        return 1;
    }
    InstanceLock lock(runtime);
    // The running item is not stopped at exit, and a second copy writes
    // nothing: only the copy that holds the lock touches the files.
    const char* parameter = argc > 1 ? argv[1] : nullptr;
    const std::string frame =
        parameter && parameter[0] != '\0'
            ? EncodeCopyDataFrame(static_cast<uint64_t>(::getpid()), LocaleToCp932(parameter))
            : EncodeShowFrame();
    switch (AcquireOrHandOver(lock, runtime + "/" + HandOverSocketName, frame, HandOverTimeoutMs)) {
    case StartResult::FirstCopy:
        break;
    case StartResult::HandedOver:
        return 0;
    case StartResult::NoAnswer:
        std::fprintf(stderr, "zanpel: %s\n", NoAnswerText(lock.HolderPid()).c_str());
        return 1;
    case StartResult::NoLock:
        std::fprintf(stderr, "zanpel: 実行時フォルダにロックファイルを作れません: %s\n",
                     lock.Error().c_str());
        return 1;
    }
    const std::string folder = DataFolderOfProgram();
    std::string folderError;
    MakeFolders(folder, folderError);
    InstanceLock dataLock(folder, InstanceLock::DataFolderFileName);
    if (!AcquireDataFolder(dataLock)) {
        std::fprintf(stderr,
                     "zanpel: データフォルダ %s は別の zanpel が使用中です"
                     " (別の XDG_RUNTIME_DIR で起動されたもの)。そちらを終了してください。\n",
                     folder.c_str());
        return 1;
    }
    const bool platformChosen = ChooseQtPlatform();
    QApplication app(argc, argv);
    ForgetQtPlatformChoice(platformChosen);
    app.setApplicationName(QStringLiteral("Zanpel"));
    app.setApplicationVersion(QString::fromLatin1(ProgramVersion));
    app.setDesktopFileName(QString::fromLatin1(DesktopId));
    app.setQuitOnLastWindowClosed(false);
    ApplyProgramFont(app);
    InstallQtJapanese(app);
    TProgram program(started, folder, folderError, dataLock.Error());
    return program.Run(app, runtime);
}

} // namespace zanpel
