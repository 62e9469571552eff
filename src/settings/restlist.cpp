#include "settings/restlist.h"

#include "records/clock.h"
#include "records/csvfile.h"
#include "settings/initparam.h"

#include <cstdio>

namespace zanpel {
namespace {

// An empty item (two commas in a row) reads as 0:0.
RestPeriod PeriodOf(const std::string& item) {
    const std::vector<RestPeriod> periods = SplitRestTimes(item);
    return periods.empty() ? RestPeriod{} : periods.front();
}

// "hh:mm-hh:mm" of two minutes of the day.
std::string RangeText(int begin, int end) {
    char text[32];
    std::snprintf(text, sizeof text, "%2.2d:%2.2d-%2.2d:%2.2d", begin / 60, begin % 60, end / 60,
                  end % 60);
    return text;
}

} // namespace

TRestListEditor::TRestListEditor(const std::string& restTimes, TRangeGridModel& grid,
                                 const Clock& clock)
    : m_items(Split(restTimes)), m_grid(grid), m_clock(clock) {
    m_grid.SetTimeUnit(10);
    m_grid.SetMaxRange(1440);
    Select(m_items.empty() ? -1 : 0);
}

std::string TRestListEditor::RestTimes() const {
    return Join(m_items);
}

void TRestListEditor::Select(int index) {
    m_selected = index >= 0 && index < static_cast<int>(m_items.size()) ? index : -1;
    if (m_selected >= 0) {
        const RestPeriod period = PeriodOf(m_items[static_cast<size_t>(m_selected)]);
        ShowRange(period.Start, period.End);
        return;
    }
    const int minute = NowSeconds(m_clock) / 60;
    ShowRange(minute, minute + m_grid.TimeUnit());
}

void TRestListEditor::ShowRange(int begin, int end) {
    m_grid.SetBeginTime(begin);
    m_grid.SetEndTime(end);
}

std::string TRestListEditor::LabelText() const {
    return "休憩: " + RangeLabel();
}

std::string TRestListEditor::RangeLabel() const {
    return RangeText(m_grid.BeginTime(), m_grid.EndTime());
}

std::vector<std::string> TRestListEditor::ItemTexts() const {
    std::vector<std::string> texts;
    for (const std::string& item : m_items) {
        const RestPeriod period = PeriodOf(item);
        texts.push_back(RangeText(period.Start, period.End));
    }
    return texts;
}

void TRestListEditor::Add() {
    const int begin = m_grid.BeginTime();
    const std::string item = std::to_string(begin) + ":" + std::to_string(m_grid.EndTime());
    size_t at = 0;
    while (at < m_items.size() && PeriodOf(m_items[at]).Start <= begin)
        ++at;
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at), item);
    Select(static_cast<int>(at));
}

void TRestListEditor::Remove() {
    if (m_selected < 0)
        return;
    const int at = m_selected;
    m_items.erase(m_items.begin() + at);
    Select(at);
}

std::vector<int> TRestListEditor::Overlapping() const {
    std::vector<RestPeriod> periods;
    for (const std::string& item : m_items)
        periods.push_back(PeriodOf(item));
    std::vector<int> found;
    for (size_t i = 0; i < periods.size(); ++i)
        for (size_t j = 0; j < periods.size(); ++j)
            if (i != j && periods[i].Start < periods[j].End && periods[j].Start < periods[i].End) {
                found.push_back(static_cast<int>(i));
                break;
            }
    return found;
}

} // namespace zanpel
