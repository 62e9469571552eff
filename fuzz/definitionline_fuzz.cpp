// Definition lines of arbitrary bytes: parsing never crashes, and a parsed
// definition written out and parsed again is the same definition.
#include "fuzzcheck.h"
#include "tracking/appswitch.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zanpel;
    const std::string line(reinterpret_cast<const char*>(data), size);
    TAppSwitch list;
    const int index = list.ParseLine(line);
    list.GetField(index, 3);
    list.Match(line, line);
    if (index < 0)
        return 0;
    const std::string written = list.FormatLine(index);
    TAppSwitch again;
    const int reread = again.ParseLine(written);
    FUZZ_CHECK(reread == 0);
    // What is written reads back as the same definition: writing it again
    // gives the same line, with as many rules.
    FUZZ_CHECK(again.FormatLine(0) == written);
    FUZZ_CHECK(again.Items(0).Rules.size() == list.Items(index).Rules.size());
    return 0;
}
