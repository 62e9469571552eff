// Waiting for the bar's trace (ZANPEL_TRACE) to tell what a test waits for.
#pragma once

#include "support/process.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <string>

namespace zanpel::test {

// Whether the trace file comes to hold line at least `times` times within
// 15 seconds; a failure shows the whole trace.
inline ::testing::AssertionResult TraceHas(const std::string& traceFile, const std::string& line,
                                           int times = 1) {
    if (WaitFor([&] { return CountOf(ReadFile(traceFile), line) >= times; }, 15000))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the trace is:\n" << ReadFile(traceFile);
}

} // namespace zanpel::test
