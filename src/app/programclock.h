// The program's clock: the machine's, or, for end-to-end tests of the real
// program, one that a file moves on. With ZANPEL_TEST_SLEEP_FILE set, the
// number of seconds written into that file is time the machine slept: the
// date and time and the boot-time clock are that much later, the monotonic
// clock is not.
#pragma once

#include "records/clock.h"

#include <memory>

namespace zanpel {

std::unique_ptr<Clock> MakeProgramClock();

} // namespace zanpel
