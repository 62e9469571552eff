// The chart's colours: an item's colour from its name alone, no two entries of
// a chart alike, a palette that stays apart for colour-blind readers, and
// outlines where a bar would fade into the window's background.
#include "reports/chartcolours.h"
#include "support/testsupport.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;

TEST(ChartColours, AnItemKeepsItsColourUnlessALargerItemOfTheMonthHasIt) {
    const std::string design = Sjis("設計");
    const std::string meeting = Sjis("会議");
    // Pinned: a change of the hash would recolour every user's charts.
    EXPECT_EQ(PreferredColour(design), 3);
    EXPECT_EQ(PreferredColour(meeting), 0);
    EXPECT_THAT(AssignColours({meeting, design}), ElementsAre(0, 3));
    EXPECT_THAT(AssignColours({design, meeting}), ElementsAre(3, 0));

    // Names that pick the same colour: the smaller one takes the next free.
    std::vector<std::string> same;
    for (int i = 0; same.size() < 3; ++i)
        if (const std::string name = "item" + std::to_string(i); PreferredColour(name) == 8)
            same.push_back(name);
    EXPECT_THAT(AssignColours({same[0], same[1], same[2]}), ElementsAre(8, 0, 1));

    std::vector<std::string> nine;
    for (int i = 0; i < 9; ++i)
        nine.push_back(Sjis("案件") + std::to_string(i));
    const std::vector<int> colours = AssignColours({nine.begin(), nine.end()});
    EXPECT_EQ(std::set<int>(colours.begin(), colours.end()).size(), 9u);
}

// CIELAB of a colour in linear RGB (D65).
std::array<double, 3> Lab(const std::array<double, 3>& rgb) {
    const double x = (0.4124 * rgb[0] + 0.3576 * rgb[1] + 0.1805 * rgb[2]) / 0.95047;
    const double y = 0.2126 * rgb[0] + 0.7152 * rgb[1] + 0.0722 * rgb[2];
    const double z = (0.0193 * rgb[0] + 0.1192 * rgb[1] + 0.9505 * rgb[2]) / 1.08883;
    const auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

double Linear(uint8_t value) {
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

using Matrix = std::array<std::array<double, 3>, 3>;

// How a colour looks to a reader with the deficiency of m (Machado et al.
// 2009, full severity), in CIELAB.
std::array<double, 3> Seen(TRgb colour, const Matrix& m) {
    const std::array<double, 3> rgb{Linear(colour.R), Linear(colour.G), Linear(colour.B)};
    std::array<double, 3> seen{};
    for (size_t i = 0; i < 3; ++i)
        seen[i] = std::clamp(m[i][0] * rgb[0] + m[i][1] * rgb[1] + m[i][2] * rgb[2], 0.0, 1.0);
    return Lab(seen);
}

TEST(ChartColours, ThePaletteStaysApartForColourBlindReaders) {
    const std::array<std::pair<const char*, Matrix>, 4> visions{{
        {"normal", {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}}},
        {"protanopia",
         {{{0.152286, 1.052583, -0.204868},
           {0.114503, 0.786281, 0.099216},
           {-0.003882, -0.048116, 1.051998}}}},
        {"deuteranopia",
         {{{0.367322, 0.860646, -0.227968},
           {0.280085, 0.672501, 0.047413},
           {-0.011820, 0.042940, 0.968881}}}},
        {"tritanopia",
         {{{1.255528, -0.076749, -0.178779},
           {-0.078411, 0.930809, 0.147602},
           {0.004733, 0.691367, 0.303900}}}},
    }};
    std::vector<TRgb> colours(ChartPalette.begin(), ChartPalette.end());
    colours.push_back(OthersColour);
    for (const auto& [vision, matrix] : visions)
        for (size_t a = 0; a < colours.size(); ++a)
            for (size_t b = a + 1; b < colours.size(); ++b) {
                const auto la = Seen(colours[a], matrix);
                const auto lb = Seen(colours[b], matrix);
                const double distance = std::hypot(la[0] - lb[0], la[1] - lb[1], la[2] - lb[2]);
                EXPECT_GE(distance, 15.0) << vision << ": colours " << a << " and " << b;
            }
}

TEST(ChartColours, BarsThatWouldFadeIntoTheBackgroundAreOutlined) {
    const TRgb white{255, 255, 255}, black{0, 0, 0}, dark{0x35, 0x35, 0x35};
    EXPECT_NEAR(ContrastRatio(white, black), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(black, white), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(dark, dark), 1.0, 1e-9);
    const TRgb sand = ChartPalette[2], indigo = ChartPalette[1];
    EXPECT_TRUE(NeedsOutline(sand, white));
    EXPECT_FALSE(NeedsOutline(sand, dark));
    EXPECT_FALSE(NeedsOutline(indigo, white));
    EXPECT_TRUE(NeedsOutline(indigo, dark));
    EXPECT_TRUE(NeedsOutline(OthersColour, white));
}

} // namespace
} // namespace zanpel::test
