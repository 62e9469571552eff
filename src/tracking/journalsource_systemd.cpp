// The journal through libsystemd's sd_journal.
#include "tracking/journalopen.h"

#include <systemd/sd-journal.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace zanpel {
namespace {

class SystemdJournalSource final : public JournalSource {
public:
    explicit SystemdJournalSource(JournalLocation where) : m_where(std::move(where)) {}
    ~SystemdJournalSource() override {
        if (m_journal != nullptr)
            sd_journal_close(m_journal);
    }
    SystemdJournalSource(const SystemdJournalSource&) = delete;
    SystemdJournalSource& operator=(const SystemdJournalSource&) = delete;

    int Open() override {
        if (m_journal != nullptr)
            return 0;
        int r = 0;
        switch (m_where.Type) {
        case JournalLocation::Kind::System:
            // Journals of other machines that were copied here are not this
            // computer's events.
            r = sd_journal_open(&m_journal, SD_JOURNAL_LOCAL_ONLY);
            break;
        case JournalLocation::Kind::File: {
            const char* paths[] = {m_where.Path.c_str(), nullptr};
            r = sd_journal_open_files(&m_journal, paths, 0);
            break;
        }
        case JournalLocation::Kind::Directory:
            r = sd_journal_open_directory(&m_journal, m_where.Path.c_str(), 0);
            break;
        }
        if (r >= 0)
            r = FoundAnyFile();
        if (r >= 0)
            r = sd_journal_seek_tail(m_journal);
        if (r < 0) {
            if (m_journal != nullptr)
                sd_journal_close(m_journal);
            m_journal = nullptr;
            return -r;
        }
        return 0;
    }

    bool Previous(uint64_t& microseconds) override {
        if (m_journal == nullptr)
            return false;
        // An entry whose stamp cannot be read is skipped; a failed step ends
        // the reading with what was read so far.
        while (sd_journal_previous(m_journal) > 0)
            if (sd_journal_get_realtime_usec(m_journal, &microseconds) >= 0)
                return true;
        return false;
    }

private:
    // The library opens a folder without journal files, or a system without a
    // journal the user may read, as an empty journal. That is a wrong folder or
    // missing rights, not a machine without events: say so.
    int FoundAnyFile() {
        uint64_t bytes = 0;
        const int r = sd_journal_get_usage(m_journal, &bytes);
        if (r < 0)
            return r;
        if (bytes > 0)
            return 0;
        return m_where.Type == JournalLocation::Kind::System && SystemJournalExists() ? -EACCES
                                                                                      : -ENOENT;
    }

    // journald keeps this machine's files in a folder named after its id.
    static bool SystemJournalExists() {
        sd_id128_t machine;
        if (sd_id128_get_machine(&machine) < 0)
            return false;
        char id[SD_ID128_STRING_MAX];
        sd_id128_to_string(machine, id);
        for (const char* root : {"/var/log/journal/", "/run/log/journal/"})
            if (::access((std::string(root) + id).c_str(), F_OK) == 0)
                return true;
        return false;
    }

    JournalLocation m_where;
    sd_journal* m_journal = nullptr;
};

} // namespace

const char* NoJournalReason() {
    return "";
}

std::unique_ptr<JournalSource> MakeJournalSource(const JournalLocation& where) {
    return std::make_unique<SystemdJournalSource>(where);
}

} // namespace zanpel
