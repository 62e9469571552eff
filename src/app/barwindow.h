// What the window system needs to treat the bar as a dock bar: no task-bar
// entry, above normal windows, on every virtual desktop.
#pragma once

class QWidget;

namespace zanpel {

// Call once the window has been shown. Does what the session allows; under
// a platform without these notions it does nothing.
void PrepareBarWindow(QWidget& window);

} // namespace zanpel
