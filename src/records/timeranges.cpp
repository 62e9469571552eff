#include "records/timeranges.h"

#include <algorithm>

namespace zanpel {

std::vector<TimeRange> UncoveredParts(Seconds from, Seconds to, std::vector<TimeRange> covered) {
    std::sort(covered.begin(), covered.end());
    std::vector<TimeRange> parts;
    Seconds at = from;
    for (const auto& [start, end] : covered) {
        if (at >= to)
            break;
        if (end <= start)
            continue;
        if (start > at)
            parts.emplace_back(at, std::min(start, to));
        at = std::max(at, end);
    }
    if (at < to)
        parts.emplace_back(at, to);
    return parts;
}

std::vector<TimeRange> UnionOf(std::vector<TimeRange> ranges) {
    std::sort(ranges.begin(), ranges.end());
    std::vector<TimeRange> merged;
    for (const TimeRange& r : ranges) {
        if (r.second <= r.first)
            continue;
        if (!merged.empty() && r.first <= merged.back().second)
            merged.back().second = std::max(merged.back().second, r.second);
        else
            merged.push_back(r);
    }
    return merged;
}

int64_t CoveredLength(std::vector<TimeRange> ranges) {
    int64_t total = 0;
    for (const auto& [start, end] : UnionOf(std::move(ranges)))
        total += int64_t{end} - start;
    return total;
}

} // namespace zanpel
