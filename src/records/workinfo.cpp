#include "records/workinfo.h"

namespace zanpel {

void DeletePeriod(TWorkInfo& record, int index) {
    if (index >= 0 && static_cast<size_t>(index) < record.Periods.size())
        record.Periods.erase(record.Periods.begin() + index);
}

} // namespace zanpel
