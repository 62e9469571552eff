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
    // Writing settles after one round (a title pattern that begins with "!"
    // or "/" has no text form of its own): from then on what is written reads
    // back as the same definition, with as many rules.
    TAppSwitch once;
    FUZZ_CHECK(once.ParseLine(list.FormatLine(index)) == 0);
    FUZZ_CHECK(once.Items(0).Rules.size() == list.Items(index).Rules.size());
    const std::string written = once.FormatLine(0);
    TAppSwitch again;
    FUZZ_CHECK(again.ParseLine(written) == 0);
    FUZZ_CHECK(again.FormatLine(0) == written);
    FUZZ_CHECK(again.Items(0) == once.Items(0));
    return 0;
}
