// Quick tests that rule a text out for a pattern before the matcher runs: the
// literal stretches of a pattern without groups, classes or alternatives must
// appear in any text it matches. They answer false only when no match can
// exist; true means "run the matcher".
#pragma once

#include <cstdint>
#include <string_view>

namespace zanpel {

bool CanMatchAnywhere(std::string_view text, std::string_view pattern);
// For a match of the whole text: also its literal beginning and end.
bool CanMatchWhole(std::string_view text, std::string_view pattern);

// Why a pattern matches no text at all: an element that never matches stands
// in every alternative the matcher can take.
enum class TPatternFault : uint8_t {
    None,          // some text may match
    UnclosedGroup, // a "(" without its ")": the group never matches
    EmptyClass,    // "[]", or a "[" that ends the pattern: a class of no characters
    TooDeep,       // groups nested deeper than the matcher goes
};
TPatternFault PatternFaultOf(std::string_view pattern);

} // namespace zanpel
