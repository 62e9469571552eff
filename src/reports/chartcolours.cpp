#include "reports/chartcolours.h"

#include <algorithm>
#include <cmath>

namespace zanpel {
namespace {

double LinearChannel(uint8_t value) {
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double RelativeLuminance(TRgb colour) {
    return 0.2126 * LinearChannel(colour.R) + 0.7152 * LinearChannel(colour.G) +
           0.0722 * LinearChannel(colour.B);
}

} // namespace

int PreferredColour(std::string_view name) {
    uint32_t hash = 2166136261u;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return static_cast<int>(hash % ChartPalette.size());
}

std::vector<int> AssignColours(const std::vector<std::string_view>& names) {
    const int size = static_cast<int>(ChartPalette.size());
    std::vector<bool> taken(ChartPalette.size(), false);
    std::vector<int> colours;
    colours.reserve(names.size());
    for (const std::string_view name : names) {
        int colour = PreferredColour(name);
        for (int step = 0; step < size && taken[static_cast<size_t>(colour)]; ++step)
            colour = (colour + 1) % size;
        taken[static_cast<size_t>(colour)] = true;
        colours.push_back(colour);
    }
    return colours;
}

double ContrastRatio(TRgb a, TRgb b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool NeedsOutline(TRgb fill, TRgb background) {
    return ContrastRatio(fill, background) < 3.0;
}

} // namespace zanpel
