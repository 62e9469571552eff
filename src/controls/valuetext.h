// The text of the value spin: an integer shown as a time of hours and minutes
// ("1:30" is 90) or with a fixed number of decimals ("12.34" is 1234 with two
// decimals), read back from what the user typed, and the typing rules that
// keep the digits after the separator at their number.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zanpel {

struct TValueFormat {
    bool TimeEdit = false;
    int Point = 0; // decimals in number mode; time mode keeps two
    char Separator() const { return TimeEdit ? ':' : '.'; }
};

std::string FormatValue(int value, const TValueFormat& format);
// Digits only; other characters are skipped. Empty text gives 0.
int ParseValue(std::string_view text, const TValueFormat& format);

// Keys the typing rules know besides digits and the separator.
inline constexpr char BackspaceKey = '\b';
inline constexpr char DeleteKey = 0x7f;

struct TTypedText {
    std::string Text;
    int Caret = 0;
};

// The text after key is typed at caret (no selection), or none when the key
// is dropped: characters other than digits, Backspace, Delete and a first
// separator; and a digit past the last place after the separator. Once the
// separator has its Point characters after it, a digit there overwrites the
// character right of the caret instead of growing the text.
std::optional<TTypedText> TypeKey(std::string_view text, int caret, char key,
                                  const TValueFormat& format);

} // namespace zanpel
