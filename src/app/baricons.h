// The bar's eight 12 x 12 tool images, drawn rather than loaded so that the
// program needs no image files.
#pragma once

#include <QIcon>

namespace zanpel {

enum class BarIcon {
    Exit = 0,
    Report = 1,
    Setup = 2,
    AutoHideOn = 3,
    AutoHideOff = 4,
    AppSwitchOn = 5,
    AppSwitchOff = 6,
    AppList = 7,
};

QIcon MakeBarIcon(BarIcon which);

} // namespace zanpel
