#include "reports/categorylist.h"

#include "records/textcompare.h"

namespace zanpel {
namespace {

bool IsBlankOrControl(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b <= 32 || b == 127;
}

} // namespace

std::string TrimCategory(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlankOrControl(text[begin]))
        ++begin;
    while (end > begin && IsBlankOrControl(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

bool AddCategory(StringList& items, const std::string& text) {
    const std::string category = TrimCategory(text);
    if (category.empty())
        return false;
    for (const std::string& item : items)
        if (SameTextIgnoreCase(item, category))
            return false;
    items.push_back(category);
    return true;
}

} // namespace zanpel
