// A journal in memory, newest first, that counts how far it was read; one
// with openError set fails to open with that error number.
#pragma once

#include "tracking/journalsource.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace zanpel::test {

class FakeJournalSource final : public JournalSource {
public:
    explicit FakeJournalSource(std::vector<uint64_t> newestFirst, int openError = 0)
        : m_stamps(std::move(newestFirst)), m_openError(openError) {}
    int Open() override { return m_openError; }
    bool Previous(uint64_t& microseconds) override {
        if (Reads == m_stamps.size())
            return false;
        microseconds = m_stamps[Reads++];
        return true;
    }
    size_t Reads = 0;

private:
    std::vector<uint64_t> m_stamps;
    int m_openError;
};

} // namespace zanpel::test
