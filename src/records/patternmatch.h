// The pattern language of the application rules: wildcards, classes, groups
// and repetition, aware of Shift-JIS double-byte characters. Patterns are read
// from their text at every call; nothing is compiled, cached or allocated.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace zanpel {

struct PatternMatch {
    size_t Start = 0; // byte offset of the first character of the match
    size_t End = 0;   // byte offset after the match
};

// The first match of pattern in text, or none. An empty text never matches.
std::optional<PatternMatch> FindPattern(std::string_view text, std::string_view pattern);
bool PatternAnywhere(std::string_view text, std::string_view pattern);
// The first match found starts at the beginning of text and ends at its end.
bool PatternWhole(std::string_view text, std::string_view pattern);

} // namespace zanpel
