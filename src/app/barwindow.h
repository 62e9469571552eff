// What the window system needs to treat the bar as a dock bar: no task-bar
// entry, above normal windows, on every virtual desktop.
#pragma once

#include <QRect>

class QWidget;

namespace zanpel {

// Call once the window has been shown. Does what the session allows; under
// a platform without these notions it does nothing.
void PrepareBarWindow(QWidget& window);

// Where the window system really put the window: a window manager may move it
// without the toolkit ever hearing of it. In the toolkit's logical pixels,
// like every other geometry of the bar; the toolkit's own geometry where the
// platform cannot tell.
QRect PlacedGeometry(const QWidget& window);

// The window with the frame its window manager put around it, as the window
// system has it (the toolkit's idea of the frame lags, or now and then is
// wrong, under openbox). For pictures of windows.
QRect FrameOnScreen(const QWidget& window);

} // namespace zanpel
