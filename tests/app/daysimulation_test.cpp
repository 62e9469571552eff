// Thousands of simulated days of a user on the bar's core, each seed a
// different life: presses, rest periods, sleeps, nights, month ends, dialogs
// left open, syncs and failed saves. Every step is checked (see
// support/daysimulator.h); a failure names the seed, the step and the last
// actions before it.
#include "support/daysimulator.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace zanpel::test {
namespace {

std::string Report(uint32_t seed, const TSimulationResult& result) {
    std::ostringstream out;
    out << "seed " << seed << ", " << result.Days << " days, " << result.Steps << " steps\n";
    for (const std::string& problem : result.Problems)
        out << problem << "\n";
    out << "last actions:\n";
    for (const std::string& action : result.Trail)
        out << "  " << action << "\n";
    return out.str();
}

// ZANPEL_SIMULATION_SEEDS=N runs N seeds instead (by hand, to search further).
uint32_t Seeds() {
    const char* seeds = std::getenv("ZANPEL_SIMULATION_SEEDS");
    return seeds != nullptr && std::atoi(seeds) > 0 ? static_cast<uint32_t>(std::atoi(seeds)) : 40;
}

TEST(DaySimulation, ThousandsOfDaysKeepEveryRecordWhole) {
    TempDir folder(FastTempFolder());
    int days = 0;
    std::map<std::string, int> actions;
    for (uint32_t seed = 1; seed <= Seeds(); ++seed) {
        TRandomChoices choices(seed);
        const TSimulationResult result = SimulateDays(choices, folder.Path(), 60);
        ASSERT_TRUE(result.Problems.empty()) << Report(seed, result);
        days += result.Days;
        for (const auto& [action, count] : result.Actions)
            actions[action.substr(0, action.find(' '))] += count;
    }
    EXPECT_GE(days, 2000);
    // Every kind of action came up.
    for (const char* action :
         {"press", "release", "sleep", "idle", "record", "memo", "settings", "summary", "sync",
          "the", "application", "save", "reset", "delete", "clock", "away", "asked"})
        EXPECT_GT(actions[action], 0) << action;
}

} // namespace
} // namespace zanpel::test
