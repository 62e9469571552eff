// The question the bar asks when the user comes back from an away spell.
#pragma once

#include "records/timevalues.h"

#include <string>

namespace zanpel {

// "離席していました: 10:12–10:47 (35 分)" (UTF-8); a spell over midnight
// names its days: "12/07 23:50–12/08 00:20 (30 分)". Minutes are whole ones,
// rounded down, as the times show them.
std::string AwaySpellText(TDateTime from, TDateTime to);

} // namespace zanpel
