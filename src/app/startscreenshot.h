// ZANPEL_SCREENSHOT=FILE saves the screen a few seconds after the start: the
// way to see the bar on a machine without a display of its own. With
// ZANPEL_SCREENSHOT_MARGIN=N only the bar and N pixels around it are saved.
#pragma once

class QApplication;
class QWidget;

namespace zanpel {

// Nothing when ZANPEL_SCREENSHOT is not set.
void ScheduleScreenshot(QApplication& app, const QWidget* bar);

} // namespace zanpel
