// Which records and periods a month file keeps.
#pragma once

#include "records/workinfo.h"

namespace zanpel {

// Periods of one second or less are left out, except in the computer-on record.
bool IsPeriodWritten(const TWorkData& period, bool login);
// Records with no time are left out, except the computer-on record.
bool IsRecordWritten(const TWorkInfo& record);

} // namespace zanpel
