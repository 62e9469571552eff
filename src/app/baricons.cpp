#include "app/baricons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace zanpel {
namespace {

void DrawExit(QPainter& p) {
    p.setPen(QPen(QColor(176, 32, 32), 2));
    p.drawLine(2, 2, 9, 9);
    p.drawLine(9, 2, 2, 9);
}

void DrawReport(QPainter& p) {
    p.setPen(QColor(40, 40, 40));
    p.setBrush(Qt::white);
    p.drawRect(2, 0, 8, 11);
    p.setPen(QColor(32, 64, 160));
    for (int y = 3; y <= 8; y += 2)
        p.drawLine(4, y, 8, y);
}

void DrawSetup(QPainter& p) {
    p.setPen(QPen(QColor(64, 64, 64), 2));
    p.drawLine(6, 0, 6, 11);
    p.drawLine(0, 6, 11, 6);
    p.drawLine(2, 2, 9, 9);
    p.drawLine(9, 2, 2, 9);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(160, 160, 160));
    p.drawEllipse(QPointF(6, 6), 3.5, 3.5);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(6, 6), 1.5, 1.5);
}

// An arrow into the right edge: the bar slides away.
void DrawAutoHide(QPainter& p, bool on) {
    p.setPen(QPen(QColor(64, 64, 64), 1));
    p.drawLine(10, 0, 10, 11);
    p.setPen(QPen(on ? QColor(32, 128, 32) : QColor(150, 150, 150), 2));
    p.drawLine(1, 6, 7, 6);
    p.drawLine(5, 3, 8, 6);
    p.drawLine(5, 9, 8, 6);
}

// A window with a lightning stroke; crossed out when off.
void DrawAppSwitch(QPainter& p, bool on) {
    p.setPen(QColor(64, 64, 64));
    p.setBrush(QColor(220, 230, 250));
    p.drawRect(0, 1, 11, 9);
    QPainterPath bolt;
    bolt.moveTo(7, 2);
    bolt.lineTo(3, 6);
    bolt.lineTo(6, 6);
    bolt.lineTo(4, 10);
    bolt.lineTo(9, 5);
    bolt.lineTo(6, 5);
    bolt.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(on ? QColor(230, 160, 0) : QColor(170, 170, 170));
    p.drawPath(bolt);
    if (!on) {
        p.setPen(QPen(QColor(176, 32, 32), 1.5));
        p.drawLine(1, 10, 10, 1);
    }
}

void DrawAppList(QPainter& p) {
    p.setPen(QColor(64, 64, 64));
    p.setBrush(Qt::white);
    p.drawRect(0, 0, 11, 11);
    p.setPen(QColor(32, 64, 160));
    for (int y = 3; y <= 9; y += 3)
        p.drawLine(2, y, 9, y);
}

} // namespace

QIcon MakeBarIcon(BarIcon which) {
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    switch (which) {
    case BarIcon::Exit:
        DrawExit(p);
        break;
    case BarIcon::Report:
        DrawReport(p);
        break;
    case BarIcon::Setup:
        DrawSetup(p);
        break;
    case BarIcon::AutoHideOn:
        DrawAutoHide(p, true);
        break;
    case BarIcon::AutoHideOff:
        DrawAutoHide(p, false);
        break;
    case BarIcon::AppSwitchOn:
        DrawAppSwitch(p, true);
        break;
    case BarIcon::AppSwitchOff:
        DrawAppSwitch(p, false);
        break;
    case BarIcon::AppList:
        DrawAppList(p);
        break;
    }
    return QIcon(pixmap);
}

} // namespace zanpel
