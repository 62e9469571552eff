// The start and end time sync of a month: the computer-on spans widened with
// the system log's first and last times of each day, then the configured rest
// periods filled in for every day that has none yet. The summary window and
// zanpelctl sync both run it.
#pragma once

#include "settings/initparam.h"

#include <vector>

namespace zanpel {

class TDataList;
class TEventLog;

// Gives every computer-on record of list the parts of the rest periods
// (minutes since midnight; overlapping ones taken as one) that lie within
// its span and that no rest period of the record covers yet, with the
// category "休憩", and recomputes its rest time. Answers how many records
// got rest periods.
int AddRestPeriods(TDataList& list, const std::vector<RestPeriod>& rests);

// Widens the spans of main's month with log; when shown shows main's month it
// becomes a copy of main first; then shown gets the rest periods. Answers
// whether shown shows main's month: the caller then hands shown back to main,
// otherwise shown is to be saved. main and shown may be the same list.
bool SyncStartEndTimes(TDataList& main, TDataList& shown, const TEventLog& log,
                       const std::vector<RestPeriod>& rests);

} // namespace zanpel
