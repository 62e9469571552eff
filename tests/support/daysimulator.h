// A user's days, simulated on a fixed clock: random but ordinary sequences of
// presses, rest periods, application switches, sleeps of seconds to days,
// the clock set forward or back, idle nights, spells away from the machine
// with the question on the return answered at once or later, day and month
// ends, the record editor, the memo dialog and the settings dialog confirmed
// with changes made while they were open, summary syncs on fresh and stale
// copies, failed and successful saves. The core of the bar (work list, button
// bar, timing engine, editors, summary) is driven as the window drives it;
// after every step the records are checked against what must always hold.
// The seeded test and the fuzz target both run it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace zanpel::test {

// Where the simulation's decisions come from.
class TChoices {
public:
    virtual ~TChoices() = default;
    // A number below bound (bound > 0).
    virtual uint32_t Next(uint32_t bound) = 0;
    // No more decisions: the simulation ends.
    virtual bool Done() const = 0;
};

class TRandomChoices final : public TChoices {
public:
    explicit TRandomChoices(uint32_t seed) : m_engine(seed) {}
    uint32_t Next(uint32_t bound) override {
        return std::uniform_int_distribution<uint32_t>(0, bound - 1)(m_engine);
    }
    bool Done() const override { return false; }

private:
    std::mt19937 m_engine;
};

// The bytes of a fuzzer's input, one or two for each decision.
class TByteChoices final : public TChoices {
public:
    TByteChoices(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    uint32_t Next(uint32_t bound) override;
    bool Done() const override { return m_next >= m_size; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_next = 0;
};

struct TSimulationResult {
    int Days = 0;  // days the clock went through
    int Steps = 0; // actions taken, dialogs' inner ones included
    std::map<std::string, int> Actions;
    // What did not hold, each with the step and time it was seen at; the
    // simulation stops at the first step with a problem.
    std::vector<std::string> Problems;
    // The actions of the last steps before the end, for the report.
    std::vector<std::string> Trail;
};

// Runs the simulation in folder (month files are written there; what is in it
// is removed first) until the clock has gone through days days or choices has
// no more decisions.
TSimulationResult SimulateDays(TChoices& choices, const std::string& folder, int days);

} // namespace zanpel::test
