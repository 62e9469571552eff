#include "app/handoverclient.h"

namespace zanpel {

bool SendHandOver(const std::string&, const std::string&, int) {
    return false;
}

} // namespace zanpel
