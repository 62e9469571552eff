// The colours of the month chart: a fixed palette made for readers with a
// colour vision deficiency (Paul Tol's "muted" scheme), each item given the
// colour that a hash of its name picks, so that it keeps that colour from
// month to month; and the contrast rule that says where a bar needs an
// outline to stand out from the window's background.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace zanpel {

struct TRgb {
    uint8_t R = 0, G = 0, B = 0;
    bool operator==(const TRgb&) const = default;
};

inline constexpr std::array<TRgb, 9> ChartPalette = {{
    {0xCC, 0x66, 0x77}, // rose
    {0x33, 0x22, 0x88}, // indigo
    {0xDD, 0xCC, 0x77}, // sand
    {0x11, 0x77, 0x33}, // green
    {0x88, 0xCC, 0xEE}, // cyan
    {0x88, 0x22, 0x55}, // wine
    {0x44, 0xAA, 0x99}, // teal
    {0x99, 0x99, 0x33}, // olive
    {0xAA, 0x44, 0x99}, // purple
}};
// The colour of the items grouped as "その他".
inline constexpr TRgb OthersColour = {0xDD, 0xDD, 0xDD};

// The palette index a name's bytes pick (FNV-1a: the same in every build and
// on every machine).
int PreferredColour(std::string_view name);

// The palette indexes of names given largest first: each takes the colour its
// name picks unless a larger one took it, then the next free one, so that no
// two entries of one chart share a colour. At most ChartPalette.size() names.
std::vector<int> AssignColours(const std::vector<std::string_view>& names);

// The contrast ratio of two colours (1 to 21), as WCAG defines it from their
// relative luminance.
double ContrastRatio(TRgb a, TRgb b);

// Whether a bar of fill on background needs an outline to be seen: below the
// 3:1 that graphics need against what is next to them.
bool NeedsOutline(TRgb fill, TRgb background);

} // namespace zanpel
