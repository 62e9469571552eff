#include "controls/windowplace.h"

#include <QScreen>
#include <QWidget>

namespace zanpel {

void MoveToScreenCentre(QWidget& window) {
    const QWidget* anchor = window.parentWidget() ? window.parentWidget()->window() : &window;
    if (const QScreen* screen = anchor->screen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

} // namespace zanpel
