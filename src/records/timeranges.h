// Ranges of seconds of one day: the parts of a range that others leave free,
// and the length a set of ranges covers when overlaps count once.
#pragma once

#include "records/timevalues.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace zanpel {

// From (inclusive) to (exclusive), in seconds of day.
using TimeRange = std::pair<Seconds, Seconds>;

// The parts of from..to that no range of covered overlaps, in order.
std::vector<TimeRange> UncoveredParts(Seconds from, Seconds to, std::vector<TimeRange> covered);

// The ranges merged where they overlap or touch, in order; empty ones dropped.
std::vector<TimeRange> UnionOf(std::vector<TimeRange> ranges);

// Seconds covered by ranges, overlaps counted once; empty ranges add nothing.
int64_t CoveredLength(std::vector<TimeRange> ranges);

} // namespace zanpel
