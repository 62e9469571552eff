// Where the program's dialogs open: in the middle of the screen, not over
// the narrow bar at its edge that their parent is.
#pragma once

class QWidget;

namespace zanpel {

// Centres window (its frame) on the free area of the screen its parent's
// window is on, or its own. Call once it is shown.
void MoveToScreenCentre(QWidget& window);

} // namespace zanpel
