// Window titles as X11 clients store them, turned into the CP932 title the
// rest of the program compares and records.
#pragma once

#include <string>
#include <string_view>

namespace zanpel {

// How the bytes of a title property are encoded: UTF8_STRING, STRING
// (ISO 8859-1) or COMPOUND_TEXT (ISO 2022 with designated character sets).
enum class TTitleEncoding { Utf8, Latin1, CompoundText };

// The title in CP932, "?" for each character CP932 lacks, at most
// MaxTitleBytes (cut between characters).
std::string WindowTitleText(TTitleEncoding encoding, std::string_view bytes);

} // namespace zanpel
