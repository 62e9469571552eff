// The answers to the question about an away spell, each written at once: the
// bar's list is saved, and a day of a month the bar no longer holds is
// changed where that month is kept (pastmonthedit). Only the item's booked
// time in the spell outside the configured rest periods moves; the item goes
// on timing after the answer. "作業に含める" changes nothing and has no
// function here.
#pragma once

#include "app/pastmonthedit.h"

#include <string>
#include <vector>

namespace zanpel {

class TDataList;
struct TAwayQuestion;
struct TRestRange;

// "休憩にする": the time becomes rest periods of each day's computer-on
// record, the item's periods split around them, as a sleep does within a
// day. On the return's day after a midnight, the day starts at the return
// instead (or at its first other period), as after a sleep over midnight.
TRecordChange BookAwayAsRest(TDataList& list, const std::vector<TRestRange>& rest,
                             const TAwayQuestion& question, std::string& problem);

// "別の作業項目": the time is booked to item instead (the rest item's name
// makes it rest). Nothing changes for the question's own item, the
// computer-on record or no name.
TRecordChange BookAwayToItem(TDataList& list, const std::vector<TRestRange>& rest,
                             const TAwayQuestion& question, const std::string& item,
                             std::string& problem);

} // namespace zanpel
