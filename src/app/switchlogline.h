// The line of the switch log (switches.log), our own format: UTF-8, one switch
// per line, seven fields between tabs:
//   YYYY-MM-DD hh:mm:ss  cause  item  rule  detail  program  title
// cause is one of "rule", "rest", "rest-end", "resume", "handover"; rule is
// the rule's number (from 1) or empty. The texts are the core's CP932 bytes
// in UTF-8, with "\\", "\t", "\n", "\r" and "\xHH" for a backslash, the
// control characters, and every byte that does not come back as it was
// through UTF-8, so that any window title keeps to one line and reads back
// byte for byte.
#pragma once

#include "app/switchentry.h"

#include <optional>
#include <string>
#include <string_view>

namespace zanpel {

// CP932 bytes as a field (UTF-8 with escapes).
std::string EscapeLogText(std::string_view cp932);
// A field back to CP932 bytes; none when it is no field that EscapeLogText
// could have made (an unknown escape, a control character, malformed UTF-8).
std::optional<std::string> UnescapeLogText(std::string_view field);

// The entry's line, without its line end.
std::string FormatSwitchLine(const TSwitchEntry& entry);
// The entry of a line (a CR before its end is allowed); none for a broken line.
std::optional<TSwitchEntry> ParseSwitchLine(std::string_view line);

} // namespace zanpel
