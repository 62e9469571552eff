#include "controls/valuetext.h"

#include <algorithm>
#include <cstdlib>

namespace zanpel {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// What a key does when the rules leave it to the edit: insert at the caret,
// delete before or after it.
TTypedText UsualKey(std::string_view text, size_t caret, char key) {
    std::string out(text);
    if (key == BackspaceKey) {
        if (caret == 0)
            return {out, 0};
        out.erase(caret - 1, 1);
        return {out, static_cast<int>(caret - 1)};
    }
    if (key == DeleteKey) {
        if (caret < out.size())
            out.erase(caret, 1);
        return {out, static_cast<int>(caret)};
    }
    out.insert(caret, 1, key);
    return {out, static_cast<int>(caret + 1)};
}

} // namespace

std::string FormatValue(int value, const TValueFormat& format) {
    const std::string sign = value < 0 ? "-" : "";
    const long long magnitude = std::llabs(static_cast<long long>(value));
    if (format.TimeEdit) {
        const std::string minutes = std::to_string(magnitude % 60);
        return sign + std::to_string(magnitude / 60) + ":" + (minutes.size() < 2 ? "0" : "") +
               minutes;
    }
    std::string digits = std::to_string(magnitude);
    if (format.Point <= 0)
        return sign + digits;
    const size_t point = static_cast<size_t>(format.Point);
    if (digits.size() <= point)
        return sign + "0." + std::string(point - digits.size(), '0') + digits;
    digits.insert(digits.size() - point, 1, '.');
    return sign + digits;
}

int ParseValue(std::string_view text, const TValueFormat& format) {
    if (text.empty())
        return 0;
    const char separator = format.Separator();
    long long value = 0;
    long long minutes = 0;
    int decimals = -1; // digits read after the separator in number mode
    for (const char c : text) {
        if (c == separator) {
            if (format.TimeEdit) {
                minutes = value * 60;
                value = 0;
            } else if (decimals < 0) {
                decimals = 0;
            }
            continue;
        }
        if (!IsDigit(c))
            continue;
        // A decimal fraction is read to its fixed places: "12.3" is 12.30
        // and further digits have no place.
        if (decimals >= format.Point)
            continue;
        if (decimals >= 0)
            ++decimals;
        value = std::min(value * 10 + (c - '0'), 1LL << 40);
    }
    if (!format.TimeEdit)
        for (int i = std::max(decimals, 0); i < format.Point; ++i)
            value *= 10;
    return static_cast<int>(std::clamp(value + minutes, 0LL, 0x7fffffffLL));
}

std::optional<TTypedText> TypeKey(std::string_view text, int caret, char key,
                                  const TValueFormat& format) {
    const char separator = format.Separator();
    const size_t sep = text.find(separator);
    const bool edits = key == BackspaceKey || key == DeleteKey;
    if (!IsDigit(key) && !edits && !(key == separator && sep == std::string_view::npos))
        return std::nullopt;
    const size_t at = std::min(static_cast<size_t>(std::max(caret, 0)), text.size());
    if (sep == std::string_view::npos || at <= sep)
        return UsualKey(text, at, key);
    const size_t after = text.size() - sep - 1;
    if (static_cast<int>(after) < format.Point || edits)
        return UsualKey(text, at, key);
    if (at >= text.size())
        return std::nullopt; // full: nothing right of the caret to overwrite
    std::string out(text);
    out[at] = key;
    return TTypedText{out, static_cast<int>(at + 1)};
}

} // namespace zanpel
