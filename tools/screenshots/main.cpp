// zanpel-screenshots OUTDIR [NAME...]: builds each registered window on sample
// data, shows it and saves OUTDIR/NAME.png as a user would see it. Under X11
// with a window manager the picture includes the window's frame.
// zanpel-screenshots --hold NAME: shows the one window and keeps it open.
#include "app/barwindow.h"
#include "app/programfont.h"
#include "controls/messageboxes.h"
#include "sampledata.h"
#include "shotregistry.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <string>

namespace zanpel::shots {
namespace {

void Wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool HasFrame(const QWidget& window) {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return true;
    const QRect frame = FrameOnScreen(window);
    return frame.contains(PlacedGeometry(window)) && frame.height() > window.height();
}

QPixmap Picture(QWidget& window) {
    QScreen* screen = window.screen();
    if (QGuiApplication::platformName() == QLatin1String("xcb") && screen != nullptr) {
        const QRect frame = FrameOnScreen(window);
        return screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    }
    return window.grab();
}

// Builds the window of entry on a fresh copy of the sample data in data,
// with "now" on clock (both outlive the window), shows it and waits until it
// is drawn and framed.
TShot Show(const TShotEntry& entry, const QTemporaryDir& data, FixedClock& clock) {
    WriteSampleData(data.path().toStdString(), clock);
    TShotContext context{data.path().toStdString(), clock};
    TShot shot = entry.Factory(context);
    if (!shot.Window)
        return shot;
    shot.Window->show();
    shot.Window->raise();
    shot.Window->activateWindow();
    Wait(400);
    // The frame that the window manager adds is known a moment after the
    // window is shown (till then Qt may take it for none, or for a pixel).
    for (int waited = 0; waited < 3000 && !HasFrame(*shot.Window); waited += 100)
        Wait(100);
    if (shot.AfterShown) {
        shot.AfterShown();
        Wait(300);
    }
    return shot;
}

bool Take(const TShotEntry& entry, const QString& folder) {
    QTemporaryDir data;
    FixedClock clock;
    TShot shot = Show(entry, data, clock);
    if (!shot.Window)
        return false;
    const QString file = folder + QLatin1Char('/') + QString::fromStdString(entry.Name) + ".png";
    // A busy X server now and then answers a grab with nothing: once more.
    QPixmap picture = Picture(*shot.Window);
    for (int attempt = 0; picture.isNull() && attempt < 3; ++attempt) {
        Wait(500);
        picture = Picture(*shot.Window);
    }
    const bool saved = picture.save(file, "PNG");
    std::printf("%s %s\n", saved ? "saved" : "could not save", file.toLocal8Bit().constData());
    return saved;
}

// Shows the window named name and keeps it open until the program is ended,
// for tools that look at it from the outside (the accessibility test).
int Hold(QApplication& app, const std::string& name) {
    for (const TShotEntry& entry : Shots()) {
        if (entry.Name != name)
            continue;
        QTemporaryDir data;
        FixedClock clock;
        TShot shot = Show(entry, data, clock);
        if (!shot.Window)
            return 1;
        std::printf("shown %s\n", name.c_str());
        std::fflush(stdout);
        return app.exec();
    }
    std::fprintf(stderr, "no window %s\n", name.c_str());
    return 2;
}

} // namespace
} // namespace zanpel::shots

int main(int argc, char** argv) {
    using namespace zanpel::shots;
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(
            stderr,
            "usage: zanpel-screenshots OUTDIR [NAME...] | --sample-data DIR | --hold NAME\n");
        for (const TShotEntry& entry : Shots())
            std::fprintf(stderr, "  %s\n", entry.Name.c_str());
        return 2;
    }
    if (std::string(argv[1]) == "--sample-data" && argc == 3) {
        // The same files for the real bar, dated today.
        zanpel::SystemClock system;
        zanpel::FixedClock clock;
        WriteSampleData(argv[2], clock, zanpel::Today(system), zanpel::NowSeconds(system));
        return 0;
    }
    zanpel::ApplyProgramFont(app);
    zanpel::InstallQtJapanese(app);
    if (std::string(argv[1]) == "--hold" && argc == 3)
        return Hold(app, argv[2]);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    int failures = 0;
    for (const TShotEntry& entry : Shots()) {
        const bool wanted = argc == 2 || std::any_of(argv + 2, argv + argc, [&](const char* n) {
                                return entry.Name == n;
                            });
        if (wanted && !Take(entry, folder))
            ++failures;
    }
    return failures == 0 ? 0 : 1;
}
