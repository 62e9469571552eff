// Journal files made on the spot with systemd-journal-remote, which turns the
// journal's export format into a journal file. Used by the tests and the bench.
#pragma once

#include "tracking/journalopen.h"

#include <cerrno>
#include <cstdint>
#include <string>
#include <vector>

namespace zanpel::test {

// Path of systemd-journal-remote, or empty when it is not installed.
std::string JournalRemoteTool();

// Why journal files cannot be made and read here, empty when they can (the
// binary that calls this links zanpel_journal).
inline std::string WhyNoJournalFiles() {
    if (JournalRemoteTool().empty())
        return "systemd-journal-remote is not installed (scripts/setup installs it)";
    if (MakeJournalSource(JournalLocation::File("/dev/null/none.journal"))->Open() == ENOSYS)
        return "this build reads no journal (libsystemd was missing)";
    return {};
}

// Microseconds since 1970-01-01 00:00 UTC of a UTC date and time.
uint64_t UtcMicroseconds(int year, int month, int day, int h, int m, int s);
// The same of a date and time in Japan (UTC+9).
uint64_t Jst(int year, int month, int day, int h, int m, int s = 0);

// Writes a journal file at path (the name must end in ".journal") with one
// entry per stamp, in the given order. Returns an error text, empty on success.
std::string WriteJournal(const std::string& path, const std::vector<uint64_t>& stamps);

} // namespace zanpel::test
