// The program's icon (a stopwatch, drawn in data/icons/zanpel.svg) in every
// size made from that drawing, from the program's resources.
#pragma once

#include <QIcon>

namespace zanpel {

QIcon ProgramIcon();

} // namespace zanpel
