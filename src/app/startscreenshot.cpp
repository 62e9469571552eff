#include "app/startscreenshot.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace zanpel {

void ScheduleScreenshot(QApplication& app, const QWidget* bar) {
    const char* path = std::getenv("ZANPEL_SCREENSHOT");
    if (path == nullptr || path[0] == '\0')
        return;
    const QString file = QString::fromLocal8Bit(path);
    const char* margin = std::getenv("ZANPEL_SCREENSHOT_MARGIN");
    const int around = margin != nullptr && margin[0] != '\0' ? std::atoi(margin) : -1;
    QTimer::singleShot(3000, &app, [file, bar, around] {
        QScreen* screen = QGuiApplication::primaryScreen();
        QRect area = screen ? screen->geometry() : QRect();
        if (around >= 0)
            area &= bar->geometry().adjusted(-around, -around, around, around); // no frame
        QPixmap shot;
        if (screen) {
            shot = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
            // The screen under Xvfb now and then comes back without the bar
            // in it while the bar's own window has its pixels: they go on top.
            QPainter painter(&shot);
            painter.drawPixmap(bar->geometry().topLeft() - area.topLeft(),
                               screen->grabWindow(bar->winId()));
        }
        if (!shot.isNull() && shot.save(file, "PNG"))
            std::printf("zanpel: screenshot saved to %s\n", file.toLocal8Bit().constData());
        else
            std::fprintf(stderr, "zanpel: could not save the screenshot to %s\n",
                         file.toLocal8Bit().constData());
        std::fflush(stdout);
    });
}

} // namespace zanpel
