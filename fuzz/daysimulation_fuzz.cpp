// A user's days on the bar's core, every decision taken from the input: the
// invariants of the simulation (tests/support/daysimulator.h) must hold after
// every step. The corpus is replayed as an ordinary test.
#include "fuzzcheck.h"
#include "support/daysimulator.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

// Month files are written at every change of day: in memory where possible.
std::string Folder() {
    static const std::string folder = [] {
        std::error_code error;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::string pattern = (base / "zanpel-daysim-XXXXXX").string();
        return std::string(::mkdtemp(pattern.data()));
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zanpel::test;
    TByteChoices choices(data, size);
    const TSimulationResult result = SimulateDays(choices, Folder(), 120);
    if (!result.Problems.empty()) {
        for (const std::string& action : result.Trail)
            std::fprintf(stderr, "  %s\n", action.c_str());
        for (const std::string& problem : result.Problems)
            std::fprintf(stderr, "%s\n", problem.c_str());
    }
    FUZZ_CHECK(result.Problems.empty());
    return 0;
}
