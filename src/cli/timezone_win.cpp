// The C runtime of Windows reads TZ only in the POSIX form: three letters of
// a name and the hours west of UTC (JST-9, EST5EDT). Anything else it takes
// for UTC without a word, so zanpelctl run from a shell that sets
// TZ=Asia/Tokyo would count the day from 09:00.
#include "cli/timezone.h"

#include <cctype>
#include <cstdlib>
#include <ctime>
#include <string_view>

namespace zanpel::cli {
namespace {

bool IsLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

bool IsReadByTheRuntime(std::string_view zone) {
    if (zone == "UTC" || zone == "GMT")
        return true;
    return zone.size() >= 4 && IsLetter(zone[0]) && IsLetter(zone[1]) && IsLetter(zone[2]) &&
           (zone[3] == '+' || zone[3] == '-' ||
            std::isdigit(static_cast<unsigned char>(zone[3])) != 0);
}

} // namespace

void UseTimeZoneTheRuntimeReads() {
    const char* zone = std::getenv("TZ");
    if (zone != nullptr && *zone != '\0' && !IsReadByTheRuntime(zone))
        ::_putenv_s("TZ", "");
    ::_tzset();
}

} // namespace zanpel::cli
