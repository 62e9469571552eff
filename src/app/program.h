// The program as a whole: the settings and the work list around the bar
// window, from the start to the fixed order of saving at the end.
#pragma once

class QApplication;

namespace zanpel {

int RunProgram(QApplication& app);

} // namespace zanpel
