#include "records/blanks.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace zanpel::test {
namespace {

// Texts made of whole characters, blanks and control characters among them:
// the trimmed text is the characters from the first to the last that is no
// blank, whatever bytes the double-byte characters hold.
TEST(Blanks, TrimmingCutsWholeBlanksAndControlCharactersOffBothEndsOnly) {
    std::vector<std::string> blanks = {std::string(1, '\0'), "\x7f", " ", "\t", "\r\n"};
    for (char c = 1; c <= 32; ++c)
        blanks.emplace_back(1, c);
    // Among them second bytes that are "\", "@" and "|", and the ideographic space.
    const std::vector<std::string> characters = {"a",        "~",        Sjis("表"), Sjis("ソ"),
                                                 Sjis("＠"), Sjis("ー"), Sjis("　"), "\x80"};
    std::mt19937 random(22);
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::string> pieces;
        std::vector<bool> blank;
        const int length = static_cast<int>(random() % 8);
        for (int i = 0; i < length; ++i) {
            const bool isBlank = random() % 2 == 0;
            const auto& from = isBlank ? blanks : characters;
            pieces.push_back(from[random() % from.size()]);
            blank.push_back(isBlank);
        }
        size_t first = 0;
        size_t last = pieces.size();
        while (first < last && blank[first])
            ++first;
        while (last > first && blank[last - 1])
            --last;
        std::string text;
        std::string expected;
        for (size_t i = 0; i < pieces.size(); ++i) {
            text += pieces[i];
            if (i >= first && i < last)
                expected += pieces[i];
        }
        EXPECT_EQ(TrimBlanks(text), expected) << "round " << round;
    }
}

} // namespace
} // namespace zanpel::test
