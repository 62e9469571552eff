#include "tracking/journalopen.h"

namespace zanpel {

TEventLog ReadJournal(const JournalLocation& where, DayNumber firstDay, const Clock& clock,
                      std::stop_token stop) {
    const std::unique_ptr<JournalSource> source = MakeJournalSource(where);
    return ReadEventLog(*source, firstDay, clock, std::move(stop));
}

} // namespace zanpel
