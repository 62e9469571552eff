// The comma list and the escaping of free text on arbitrary bytes.
#include "fuzzcheck.h"
#include "records/csvfile.h"

#include <algorithm>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zanpel;
    const std::string text(reinterpret_cast<const char*>(data), size);

    // Escaped text never holds a separator, so it survives a comma list
    // unquoted, unless it holds other control characters (those need quotes).
    const std::string escaped = EscapeText(text);
    FUZZ_CHECK(escaped.find_first_of(" ,\"\t\r\n") == std::string::npos);
    const bool plain =
        std::none_of(escaped.begin(), escaped.end(), [](char c) { return c > 0 && c < 32; });
    if (plain) {
        const StringList pair = Split(escaped + "," + escaped);
        FUZZ_CHECK(escaped.empty() ? pair.size() == 1 : pair.size() == 2);
        FUZZ_CHECK(pair[0] == escaped);
    }
    // Unescaping gives every byte back (no byte is ever replaced), up to the
    // line breaks: a carriage return goes, a line feed comes back as CR LF.
    const std::string back = UnescapeText(escaped);
    std::string expected;
    for (char c : text) {
        if (c == '\n')
            expected += '\r';
        if (c != '\r')
            expected += c;
    }
    FUZZ_CHECK(back == expected);
    FUZZ_CHECK(UnescapeText(EscapeText(back)) == back);

    // Any split list joins into a line that splits back into it, as long as
    // the last item is not empty (a final comma adds no item). Zero bytes are
    // bytes of their items like any other.
    const StringList items = Split(text);
    if (!items.empty() && !items.back().empty())
        FUZZ_CHECK(Split(Join(items)) == items);
    UnescapeText(text);
    return 0;
}
