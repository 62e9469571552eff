// A change that a dialog opened before a month end brings back after it (the
// record editor, the memo dialog, the answer about an away spell): made on the records of the day
// it was opened on, as they are now, wherever they are newest. That is the bar's own list while it
// is on that month; the copy the bar keeps unsaved when it left the month behind with a failed save
// (which the bar then saves with its own); else the month's file, read whole, changed and saved at
// once. A file that cannot be read whole is not written over.
#pragma once

#include "records/workinfo.h"

#include <functional>
#include <string>

namespace zanpel {

class TDataList;

enum class TRecordChange {
    Made,     // changed, and kept where the month is kept
    NotFound, // no such record, or change found nothing to change
    NotKept,  // the month could not be read whole or not be saved
};

// change: gets the list that holds the month of day; answers whether it
// changed anything (nothing is written when it did not). problem: why a
// change was not kept (UTF-8, CR LF between lines), for the user.
TRecordChange ChangeMonthOfDay(TDataList& main, DayNumber day,
                               const std::function<bool(TDataList&)>& change, std::string& problem);

// change: gets the list that holds the month and the record of day named
// name; answers whether it changed anything.
TRecordChange ChangeRecordOfDay(TDataList& main, DayNumber day, const std::string& name,
                                const std::function<bool(TDataList&, TWorkInfo&)>& change,
                                std::string& problem);

} // namespace zanpel
