// The record editor's result taken into the live record as it is when the
// user confirms. The editor works on a copy while ticks, rest periods,
// application rules and sleeps go on under it: the record may have gained
// periods, its running period may have grown, ended or been replaced. The
// editor changes only memos and categories, deletes periods and adds past
// ones; those changes are applied to the periods they were made on, found
// by their start, and the times stay those of the live record.
#pragma once

#include "records/workinfo.h"

#include <vector>

namespace zanpel {

class TDataList;

// The periods of the other work records of record's day (not the computer-on
// record), the running one marked.
std::vector<TOtherWork> OtherWorkOfDay(const TDataList& list, const TWorkInfo& record);

// opened: the copy the editor was opened on; edited: what it gave back;
// live: the record in list now; now: seconds of day, where a running period
// that the user deleted goes on from. Added periods take only the time no
// work period of the day holds, and the day's computer-on span grows to
// hold them. Recomputes live's total.
void MergeEditedRecord(TDataList& list, TWorkInfo& live, const TWorkInfo& opened,
                       const TWorkInfo& edited, Seconds now);

} // namespace zanpel
