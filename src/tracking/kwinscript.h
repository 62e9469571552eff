// The KWin script that tells the bar which window is active: its text and
// the names it calls back with. KWin runs it in its own JavaScript engine;
// it follows the active window and that window's caption and calls the bar
// over the session bus with each change.
#pragma once

#include <string>
#include <string_view>

namespace zanpel {

// Where the script calls: the bar's object and method, with the window's
// resource class (string), caption (string) and process id (number, 0 when
// unknown); three blanks when no window is active.
inline constexpr const char* KWinReportPath = "/org/example/zanpel/KWin";
inline constexpr const char* KWinReportInterface = "org.example.zanpel.KWin";
inline constexpr const char* KWinReportMethod = "WindowActivated";
// The name the script is loaded under, the same for every start, so that a
// bar that crashed leaves no second copy behind.
inline constexpr const char* KWinScriptName = "zanpel-foreground";

// Whether name is a unique bus name (":1.42"), the only name the script is
// written to call.
bool IsUniqueBusName(std::string_view name);

// The script that calls the bar at the unique bus name service; empty when
// service is no unique name.
std::string KWinScriptText(std::string_view service);

} // namespace zanpel
