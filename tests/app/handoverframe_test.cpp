#include "app/handoverframe.h"

#include <gtest/gtest.h>

namespace zanpel {
namespace {

TEST(HandOverFrame, EncodesBothMessagesLittleEndian) {
    EXPECT_EQ(EncodeShowFrame(), std::string("\x01\x08\0\0"
                                             "\0\0\0\0\0\0\0\0",
                                             12));
    EXPECT_EQ(EncodeCopyDataFrame(0x0102, "ab"), std::string("\x4A\0\0\0"
                                                             "\x02\x01\0\0\0\0\0\0"
                                                             "\x01\0\0\0"
                                                             "\x02\0\0\0"
                                                             "ab",
                                                             22));
}

TEST(HandOverFrame, ParsesWholeFramesAndWaitsForTheRest) {
    const std::string two = EncodeCopyDataFrame(7, "\x89\xEF\x8B\x63") + EncodeShowFrame();
    THandOver frame;
    size_t consumed = 0;
    ASSERT_EQ(ParseFrame(two, frame, consumed), FrameStatus::Complete);
    EXPECT_EQ(frame.Message, CopyDataMessage);
    EXPECT_EQ(frame.WParam, 7u);
    EXPECT_EQ(frame.Data, "\x89\xEF\x8B\x63");
    ASSERT_EQ(ParseFrame(std::string_view(two).substr(consumed), frame, consumed),
              FrameStatus::Complete);
    EXPECT_EQ(frame.Message, ShowMessage);
    for (size_t cut = 0; cut < 24; ++cut)
        EXPECT_EQ(ParseFrame(std::string_view(two).substr(0, cut), frame, consumed),
                  FrameStatus::Incomplete)
            << cut;
}

TEST(HandOverFrame, DropsUnknownMalformedAndOversizedFrames) {
    THandOver frame;
    size_t consumed = 0;
    EXPECT_EQ(ParseFrame(std::string("\x02\0\0\0"
                                     "\0\0\0\0\0\0\0\0",
                                     12),
                         frame, consumed),
              FrameStatus::Invalid);
    std::string badData = EncodeCopyDataFrame(1, "x");
    badData[12] = 2; // dwData must be 1
    EXPECT_EQ(ParseFrame(badData, frame, consumed), FrameStatus::Invalid);
    std::string huge = EncodeCopyDataFrame(1, "");
    huge[18] = 1; // 65536 bytes announced
    EXPECT_EQ(ParseFrame(huge, frame, consumed), FrameStatus::Invalid);
    EXPECT_EQ(
        ParseFrame(EncodeCopyDataFrame(1, std::string(MaxFrameSize - 20, 'x')), frame, consumed),
        FrameStatus::Complete);
}

} // namespace
} // namespace zanpel
