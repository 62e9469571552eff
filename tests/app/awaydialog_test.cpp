// The question after an away spell as a widget: the item chosen in its combo
// is the bar's item, byte for byte.
#include "app/awaydialog.h"

#include <QComboBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

// Names whose bytes do not come back the same through Unicode: 設計 as a
// control, bytes that are no CP932 at all (the file written by another
// editor), and 髙 in its NEC-selected code, which CP932 writes in the IBM row.
TEST(AwayDialog, AnotherItemIsAnsweredWithTheBarsOwnBytes) {
    const std::vector<std::string> items{"\x90\xdd\x8c\x76", "\x80x\xff", "\xed\x95"};
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        TAwayDialog dialog(nullptr, items);
        std::optional<TAwayAnswer> answer;
        dialog.OnAnswer = [&](const TAwayAnswer& a) { answer = a; };
        dialog.findChild<QComboBox*>("AwayItems")->setCurrentIndex(i);
        dialog.findChild<QPushButton*>("AwayOther")->click();
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->What, TAwayAnswer::Kind::OtherItem);
        EXPECT_EQ(answer->Item, items[static_cast<size_t>(i)]);
    }
}

} // namespace
} // namespace zanpel::test
