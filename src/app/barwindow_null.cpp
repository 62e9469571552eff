#include "app/barwindow.h"

#include <QWidget>

namespace zanpel {

void PrepareBarWindow(QWidget&) {}

QRect PlacedGeometry(const QWidget& window) {
    return window.geometry();
}

QRect FrameOnScreen(const QWidget& window) {
    return window.frameGeometry();
}

} // namespace zanpel
