// The value spin's text: formats, reading back what was typed, and the
// typing rules after the separator.
#include "controls/valuetext.h"

#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

const TValueFormat Time{true, 2};
const TValueFormat Whole{false, 0};
const TValueFormat TwoDecimals{false, 2};

TEST(ValueText, FormatsTimesWholeNumbersAndFixedDecimals) {
    EXPECT_EQ(FormatValue(90, Time), "1:30");
    EXPECT_EQ(FormatValue(540, Time), "9:00");
    EXPECT_EQ(FormatValue(5, Time), "0:05");
    EXPECT_EQ(FormatValue(300, Whole), "300");
    EXPECT_EQ(FormatValue(1234, TwoDecimals), "12.34");
    EXPECT_EQ(FormatValue(12, TwoDecimals), "0.12");
    EXPECT_EQ(FormatValue(5, TwoDecimals), "0.05");
    EXPECT_EQ(FormatValue(0, TwoDecimals), "0.00");
    EXPECT_EQ(FormatValue(-5, TwoDecimals), "-0.05");
}

TEST(ValueText, ReadsBackWhatItShowsAndWhatWasTyped) {
    for (const int v : {0, 5, 59, 60, 90, 1439})
        EXPECT_EQ(ParseValue(FormatValue(v, Time), Time), v) << v;
    for (const int v : {0, 5, 12, 1234})
        EXPECT_EQ(ParseValue(FormatValue(v, TwoDecimals), TwoDecimals), v) << v;
    EXPECT_EQ(ParseValue("", Time), 0);
    EXPECT_EQ(ParseValue("1:30", Time), 90);
    EXPECT_EQ(ParseValue("1:3", Time), 63); // minutes are a count
    EXPECT_EQ(ParseValue("130", Time), 130);
    EXPECT_EQ(ParseValue("12.34", TwoDecimals), 1234);
    EXPECT_EQ(ParseValue("12", TwoDecimals), 1200);
    // A decimal fraction keeps its places: 12.3 is 12.30, not 1.23.
    EXPECT_EQ(ParseValue("12.3", TwoDecimals), 1230);
    EXPECT_EQ(ParseValue("12.345", TwoDecimals), 1234);
    EXPECT_EQ(ParseValue("42", Whole), 42);
    EXPECT_EQ(ParseValue("99999999999999", Whole), 0x7fffffff);
}

TEST(ValueText, TypingDropsLettersAndASecondSeparator) {
    EXPECT_FALSE(TypeKey("1:30", 1, 'a', Time));
    EXPECT_FALSE(TypeKey("1:30", 4, ':', Time));
    EXPECT_FALSE(TypeKey("12", 2, ':', Whole)); // another mode's separator
    const auto separator = TypeKey("12", 2, '.', TwoDecimals);
    ASSERT_TRUE(separator);
    EXPECT_EQ(separator->Text, "12.");
}

TEST(ValueText, DigitsAfterAFullSeparatorOverwriteInsteadOfGrowing) {
    const auto typed = TypeKey("1:30", 2, '4', Time); // caret right after the colon
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->Text, "1:40");
    EXPECT_EQ(typed->Caret, 3);
    EXPECT_EQ(TypeKey("1:30", 3, '5', Time)->Text, "1:35");
    EXPECT_FALSE(TypeKey("1:30", 4, '5', Time)); // nothing right of the caret
    // Before the separator, and while places are free, keys act as usual.
    EXPECT_EQ(TypeKey("1:30", 1, '2', Time)->Text, "12:30");
    EXPECT_EQ(TypeKey("1:3", 3, '5', Time)->Text, "1:35");
    EXPECT_EQ(TypeKey("12.34", 5, BackspaceKey, TwoDecimals)->Text, "12.3");
    const auto deleted = TypeKey("12.34", 3, DeleteKey, TwoDecimals);
    EXPECT_EQ(deleted->Text, "12.4");
    EXPECT_EQ(deleted->Caret, 3);
    EXPECT_EQ(TypeKey("12", 0, BackspaceKey, Whole)->Text, "12");
    EXPECT_EQ(TypeKey("", 0, '7', Whole)->Text, "7");
}

} // namespace
} // namespace zanpel::test
