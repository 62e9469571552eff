// zanpel_floor: the least a Qt Widgets program does to show a window of the
// bar's kind, a label in an undecorated, always-on-top tool window at the
// right edge of the screen, as thick as the bar docks by default. The
// start-up measurement (scripts/measure-startup) starts it beside the bar
// to tell what the toolkit itself costs from what the bar adds.
//   zanpel_floor [WIDTH]
#include <QApplication>
#include <QLabel>
#include <QScreen>

#include <cstdlib>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int width = argc > 1 ? std::atoi(argv[1]) : 165;
    QLabel label(QStringLiteral("作業 実装"), nullptr,
                 Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    label.setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    label.setGeometry(screen.right() + 1 - width, screen.top(), width, screen.height());
    label.show();
    return app.exec();
}
