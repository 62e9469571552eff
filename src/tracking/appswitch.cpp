#include "tracking/appswitch.h"

#include "records/blanks.h"

#include <algorithm>

namespace zanpel {

int TAppSwitch::AddEntry(const TAppList& item) {
    const int index = IndexOf(item.Name);
    if (index >= 0) {
        m_items[static_cast<size_t>(index)] = item;
        return index;
    }
    m_items.push_back(item);
    return Count() - 1;
}

void TAppSwitch::Assign(const TAppSwitch& other) {
    if (&other == this)
        return;
    Clear();
    for (const TAppList& item : other.m_items)
        AddEntry(item);
}

bool TAppSwitch::SwitchEnabledOf(int index) const {
    return InRange(index) && m_items[static_cast<size_t>(index)].SwitchEnabled;
}

int TAppSwitch::IndexOf(const std::string& name) const {
    for (int i = 0; i < Count(); ++i)
        if (m_items[static_cast<size_t>(i)].Name == name)
            return i;
    return -1;
}

void TAppSwitch::Delete(int index) {
    if (InRange(index))
        m_items.erase(m_items.begin() + index);
}

void TAppSwitch::Move(int from, int to) {
    if (!InRange(from) || !InRange(to) || from == to)
        return;
    const auto first = m_items.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
}

std::string TAppSwitch::MemoOf(const std::string& name) const {
    const int index = IndexOf(name);
    return index >= 0 ? m_items[static_cast<size_t>(index)].Memo : std::string();
}

std::string TAppSwitch::GetField(int index, int which) const {
    if (!InRange(index))
        return {};
    const TAppList& item = m_items[static_cast<size_t>(index)];
    switch (which) {
    case 0:
        return item.Name;
    case 1:
        return std::string(TrimBlanks(item.Memo));
    case 2:
        return item.Categories;
    case 3:
        return RulesText(index);
    default:
        return {};
    }
}

void TAppSwitch::SetField(int index, int which, const std::string& text) {
    if (!InRange(index))
        return;
    TAppList& item = m_items[static_cast<size_t>(index)];
    switch (which) {
    case 0:
        item.Name = text;
        break;
    case 1:
        item.Memo = text;
        break;
    case 2:
        item.Categories = text;
        break;
    default:
        break;
    }
}

} // namespace zanpel
