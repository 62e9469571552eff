// zanpel-screenshots OUTDIR [NAME...]: builds each registered window on sample
// data, shows it and saves OUTDIR/NAME.png as a user would see it. Under X11
// with a window manager the picture includes the window's frame.
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

bool Take(const TShotEntry& entry, const QString& folder) {
    QTemporaryDir data;
    FixedClock clock;
    WriteSampleData(data.path().toStdString(), clock);
    TShotContext context{data.path().toStdString(), clock};
    TShot shot = entry.Factory(context);
    if (!shot.Window)
        return false;
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

} // namespace
} // namespace zanpel::shots

int main(int argc, char** argv) {
    using namespace zanpel::shots;
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: zanpel-screenshots OUTDIR [NAME...] | --sample-data DIR\n");
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
