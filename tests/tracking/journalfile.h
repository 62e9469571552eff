// Journal files made on the spot with systemd-journal-remote, which turns the
// journal's export format into a journal file. Used by the tests and the bench.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zanpel::test {

// Path of systemd-journal-remote, or empty when it is not installed.
std::string JournalRemoteTool();

// Microseconds since 1970-01-01 00:00 UTC of a UTC date and time.
uint64_t UtcMicroseconds(int year, int month, int day, int h, int m, int s);

// Writes a journal file at path (the name must end in ".journal") with one
// entry per stamp, in the given order. Returns an error text, empty on success.
std::string WriteJournal(const std::string& path, const std::vector<uint64_t>& stamps);

} // namespace zanpel::test
