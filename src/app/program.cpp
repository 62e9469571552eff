#include "app/program.h"

#include "app/datafolder.h"
#include "app/messagebox.h"
#include "app/zanpelform.h"
#include "records/clock.h"
#include "records/datalist.h"
#include "settings/initparam.h"

#include <QApplication>
#include <QFontDatabase>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace zanpel {
namespace {

// "ＭＳ Ｐゴシック" when the machine has it, else a Japanese Gothic font.
void ChooseFont(QApplication& app) {
    const QStringList families = QFontDatabase::families();
    const QString preferred = QStringLiteral("ＭＳ Ｐゴシック");
    QFont font(families.contains(preferred) ? preferred : QStringLiteral("IPAPGothic"));
    font.setPixelSize(12);
    app.setFont(font);
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

} // namespace

int RunProgram(QApplication& app) {
    app.setApplicationName(QStringLiteral("Zanpel"));
    app.setQuitOnLastWindowClosed(true);
    ChooseFont(app);

    SystemClock clock;
    TMessageBoxDialogs dialogs;
    TDialogReporter reporter(dialogs);
    const std::string folder = DataFolderOfProgram();
    std::string error;
    if (!MakeFolders(folder, error))
        reporter.ReportError(std::string(WriteErrorText) + "\r\n" + error);

    TInitParam settings;
    TDataList list(clock, reporter);
    list.SetDataDir(folder);
    list.LoadDefinitions(folder + "/" + DefinitionFileName);
    list.ChangeDate(Today(clock));

    int code = 0;
    {
        TZanpelForm::Environment env;
        env.DataFolder = QString::fromStdString(folder);
        TZanpelForm form(settings, list, clock, env);
        dialogs.SetParent(&form);
        form.FormCreate(folder + "/" + SettingsFileName, reporter);
        ScheduleScreenshot(app);
        code = app.exec();
        form.FormDestroy();
        dialogs.SetParent(nullptr);
    }
    settings.Save(reporter);
    list.SaveDefinitions();
    list.SaveIfAllowed();
    return code;
}

} // namespace zanpel
