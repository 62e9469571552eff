#include "worklist/heldmonths.h"

#include <algorithm>

namespace zanpel {
namespace {

// The place of path's month in months (a const or a changeable list).
template <class Months> auto PositionOf(Months& months, const std::string& path) {
    return std::find_if(months.begin(), months.end(),
                        [&](const THeldMonths::Month& m) { return m.Path == path; });
}

} // namespace

std::vector<std::string> THeldMonths::Paths() const {
    std::vector<std::string> paths;
    for (const Month& month : m_months)
        paths.push_back(month.Path);
    return paths;
}

const THeldMonths::Month* THeldMonths::Find(const std::string& path) const {
    const auto held = PositionOf(m_months, path);
    return held == m_months.end() ? nullptr : &*held;
}

bool THeldMonths::SetContents(const std::string& path, std::string contents) {
    const auto held = PositionOf(m_months, path);
    if (held == m_months.end())
        return false;
    held->Contents = std::move(contents);
    return true;
}

void THeldMonths::Hold(Month month) {
    std::erase_if(m_months, [&](const Month& m) { return m.Path == month.Path; });
    m_months.push_back(std::move(month));
}

std::optional<THeldMonths::Month> THeldMonths::Take(const std::string& path) {
    const auto held = PositionOf(m_months, path);
    if (held == m_months.end())
        return std::nullopt;
    Month month = std::move(*held);
    m_months.erase(held);
    return month;
}

bool THeldMonths::SaveEach(const std::function<bool(Month&)>& save) {
    bool all = true;
    for (auto it = m_months.begin(); it != m_months.end();) {
        if (save(*it)) {
            it = m_months.erase(it);
        } else {
            all = false;
            ++it;
        }
    }
    return all;
}

} // namespace zanpel
