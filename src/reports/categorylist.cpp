#include "reports/categorylist.h"

#include "records/blanks.h"
#include "records/textcompare.h"

namespace zanpel {

bool AddCategory(StringList& items, const std::string& text) {
    const std::string category(TrimBlanks(text));
    if (category.empty())
        return false;
    for (const std::string& item : items)
        if (SameTextIgnoreCase(item, category))
            return false;
    items.push_back(category);
    return true;
}

} // namespace zanpel
