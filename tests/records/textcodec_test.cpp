#include "records/textcodec.h"

#include <gtest/gtest.h>

namespace zanpel {
namespace {

TEST(TextCodec, ConvertsJapaneseBothWays) {
    EXPECT_EQ(Utf8ToCp932("休憩"), "\x8B\x78\x8C\x65");
    EXPECT_EQ(Cp932ToUtf8("\x8B\x78\x8C\x65"), "休憩");
    EXPECT_EQ(Utf8ToCp932("表示"), "\x95\x5C\x8E\xA6");
    EXPECT_EQ(Cp932ToUtf8("plain ascii"), "plain ascii");
}

TEST(TextCodec, UsesTheCp932TableNotPlainShiftJis) {
    // The wave dash of CP932 (0x81 0x60) is U+FF5E, and the NEC and IBM
    // extensions exist: both differ from the plain Shift_JIS table.
    EXPECT_EQ(Cp932ToUtf8("\x81\x60"), "～");
    EXPECT_EQ(Utf8ToCp932("～"), "\x81\x60");
    EXPECT_EQ(Utf8ToCp932("①"), "\x87\x40");
}

TEST(TextCodec, ReplacesWhatTheOtherSideLacks) {
    EXPECT_EQ(Utf8ToCp932("a😀b"), "a?b");
    EXPECT_EQ(Utf8ToCp932("x\xFFy"), "x?y");               // malformed UTF-8
    EXPECT_EQ(Cp932ToUtf8("a\x82"), "a\xEF\xBF\xBD");      // cut-off double-byte character
    EXPECT_EQ(Cp932ToUtf8("\x81\x20z"), "\xEF\xBF\xBD z"); // bad trail byte is not eaten
}

} // namespace
} // namespace zanpel
