// Windows keeps no systemd journal; its event log is not read.
#include "tracking/journalopen.h"

#include <cerrno>

namespace zanpel {
namespace {

class NoJournalOnWindows final : public JournalSource {
public:
    int Open() override { return ENOSYS; }
    bool Previous(uint64_t&) override { return false; }
};

} // namespace

std::unique_ptr<JournalSource> MakeJournalSource(const JournalLocation&) {
    return std::make_unique<NoJournalOnWindows>();
}

const char* NoJournalReason() {
    return "Windows にはシステムジャーナルがありません (Windows のイベントログは読みません)";
}

} // namespace zanpel
