// Throws arbitrary patterns and texts at the pattern matcher. The input is split
// at its first zero byte into pattern and text (without one, into halves).
#include "records/patternmatch.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    size_t cut = input.find('\0');
    size_t textStart = cut + 1;
    if (cut == std::string_view::npos) {
        cut = size / 2;
        textStart = cut;
    }
    const std::string_view pattern = input.substr(0, cut);
    const std::string_view text = input.substr(textStart);

    const auto match = zanpel::FindPattern(text, pattern);
    if (match && (match->Start > match->End || match->End > text.size()))
        std::abort();
    if (text.empty() && match)
        std::abort();
    // The two questions agree with the match (and so the answer is the same
    // every time).
    const bool anywhere = zanpel::PatternAnywhere(text, pattern);
    const bool whole = zanpel::PatternWhole(text, pattern);
    if (anywhere != match.has_value())
        std::abort();
    if (whole != (match && match->Start == 0 && match->End == text.size()))
        std::abort();
    return 0;
}
