// Builds without the systemd library: there is no journal to read.
#include "tracking/journalopen.h"

#include <cerrno>

namespace zanpel {
namespace {

class NullJournalSource final : public JournalSource {
public:
    int Open() override { return ENOSYS; }
    bool Previous(uint64_t&) override { return false; }
};

} // namespace

std::unique_ptr<JournalSource> MakeJournalSource(const JournalLocation&) {
    return std::make_unique<NullJournalSource>();
}

const char* NoJournalReason() {
    return "この zanpelctl は libsystemd なしで作られたため、ジャーナルを読めません";
}

} // namespace zanpel
