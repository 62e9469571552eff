// The program's clock: the machine's, or, for end-to-end tests of the real
// program, one that files move on. With ZANPEL_TEST_SLEEP_FILE set, the
// number of seconds written into that file is time the machine slept: the
// date and time and the boot-time clock are that much later, the monotonic
// clock is not. With ZANPEL_TEST_CLOCK_FILE set, a local date and time
// "YYYY-MM-DD hh:mm:ss" written into that file is the time of day from the
// moment it was written, as a change of the system's time makes it: the
// clock runs on from there, and neither the monotonic nor the boot-time
// clock moves.
#pragma once

#include "records/clock.h"

#include <memory>

namespace zanpel {

std::unique_ptr<Clock> MakeProgramClock();

} // namespace zanpel
