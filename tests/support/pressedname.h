// The name of the pressed item of a button bar, "-" when none is: a check
// on it fails cleanly where reading Current() would crash.
#pragma once

#include "app/workbuttons.h"

#include <string>

namespace zanpel::test {

inline std::string PressedName(const TWorkButtons& buttons) {
    const TMultiButton* pressed = buttons.Current();
    return pressed ? pressed->Name : "-";
}

} // namespace zanpel::test
