#include "shotregistry.h"

#include <algorithm>

namespace zanpel::shots {
namespace {

std::vector<TShotEntry>& Registry() {
    static std::vector<TShotEntry> entries;
    return entries;
}

} // namespace

void RegisterShot(std::string name, TShotFactory factory) {
    auto& entries = Registry();
    const auto at =
        std::lower_bound(entries.begin(), entries.end(), name,
                         [](const TShotEntry& e, const std::string& n) { return e.Name < n; });
    entries.insert(at, TShotEntry{std::move(name), std::move(factory)});
}

const std::vector<TShotEntry>& Shots() {
    return Registry();
}

} // namespace zanpel::shots
