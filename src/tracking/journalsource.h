// Where the system's own record of events comes from: the systemd journal of
// this machine, or a journal file or folder that the user or a test names.
// The reader only needs the time stamp of every entry, newest first. This is
// the interface; the sources themselves are made in journalopen.h, whose
// library alone links the systemd library.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace zanpel {

struct JournalLocation {
    enum class Kind {
        System,    // every local journal the user may read
        File,      // one journal file
        Directory, // the journal files of one folder
    };
    Kind Type = Kind::System;
    std::string Path; // empty for System

    static JournalLocation System() { return {}; }
    static JournalLocation File(std::string path) { return {Kind::File, std::move(path)}; }
    static JournalLocation Directory(std::string path) {
        return {Kind::Directory, std::move(path)};
    }
};

// A journal opened for reading newest first. One object is used by one thread
// from Open to its destruction (the systemd library binds its handle to the
// thread that uses it), so make and read the source on the same thread.
class JournalSource {
public:
    virtual ~JournalSource() = default;

    // 0 when the journal is open, else a positive error number (errno values:
    // ENOENT when there is no journal there, EACCES, ENODATA for a file that is
    // no journal, ENOSYS when this build cannot read journals).
    virtual int Open() = 0;

    // The time stamp of the next older entry, in microseconds since
    // 1970-01-01 00:00 UTC. The first call gives the newest entry. False at the
    // end of the journal or when an entry cannot be read.
    virtual bool Previous(uint64_t& microseconds) = 0;
};

} // namespace zanpel
