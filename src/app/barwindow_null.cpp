#include "app/barwindow.h"

namespace zanpel {

void PrepareBarWindow(QWidget&) {}

} // namespace zanpel
