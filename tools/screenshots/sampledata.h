// Sample files for the pictures: a definition file, a settings file and a
// month of records written the way the bar writes them.
#pragma once

#include "records/clock.h"

#include <memory>
#include <string>

namespace zanpel {
class ErrorReporter;
class TDataList;
} // namespace zanpel

namespace zanpel::shots {

// The day and time the sample data ends at ("now" of every picture).
DayNumber SampleToday();
Seconds SampleNow();

// Writes zanpel.wk2, zanpel.ini and the month file of today into folder:
// working days from the first of today's month, today's up to now. Leaves
// clock at today and now.
void WriteSampleData(const std::string& folder, FixedClock& clock, DayNumber today = SampleToday(),
                     Seconds now = SampleNow());

// Reports an error by throwing it: sample data must load without one.
ErrorReporter& SampleReporter();

// The work list of the sample folder as the bar holds it: the definitions
// and today's month, with nothing running.
std::unique_ptr<TDataList> LoadSampleList(const std::string& folder, const Clock& clock);

} // namespace zanpel::shots
