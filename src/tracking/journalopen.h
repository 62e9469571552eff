// The journal sources of this build: the systemd library's when it was there
// at build time, else one that never opens. Only the library zanpel_journal
// holds them; the reader itself (eventlog.h) needs nothing but the interface.
#pragma once

#include "tracking/eventlog.h"
#include "tracking/journalsource.h"

#include <memory>
#include <stop_token>

namespace zanpel {

// A source for the location, not yet opened. Without the systemd library at
// build time every source fails to open with ENOSYS.
std::unique_ptr<JournalSource> MakeJournalSource(const JournalLocation& where);
// Why this build reads no journal at all, in Japanese (UTF-8) for the user;
// empty when it reads one.
const char* NoJournalReason();

// Makes the source, reads it (ReadEventLog) and closes it, all on the calling
// thread. This is the whole job of a worker thread of the bar, for example
//   std::jthread reader([&](std::stop_token stop) {
//       TEventLog log = ReadJournal(JournalLocation::System(), firstDay, clock, stop);
//       ... hand log to the user-interface thread for DataList.SyncLoginTimes(log)
//   });
TEventLog ReadJournal(const JournalLocation& where, DayNumber firstDay, const Clock& clock,
                      std::stop_token stop = {});

} // namespace zanpel
