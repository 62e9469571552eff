#include "records/names.h"

#include "records/textcodec.h"

namespace zanpel {

const std::string& RestName() {
    static const std::string name = Utf8ToCp932("休憩");
    return name;
}

} // namespace zanpel
