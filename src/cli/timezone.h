// The time zone the program's clock reads.
#pragma once

namespace zanpel::cli {

// Called once at the start. On Windows, a TZ variable that the C runtime
// cannot read (a zone name such as Asia/Tokyo, which it would take for UTC)
// is set aside, so that Windows' own zone applies; a TZ of the POSIX form
// (JST-9) is kept. Elsewhere TZ is the C library's, untouched.
void UseTimeZoneTheRuntimeReads();

} // namespace zanpel::cli
