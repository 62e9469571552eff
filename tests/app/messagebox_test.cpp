// The bar's message boxes on the screen.
#include "app/messagebox.h"
#include "support/modalbox.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

using ::testing::UnorderedElementsAre;

// The boxes the bar opens itself, on the screen: Japanese buttons only
// (the question at the end refers to 「いいえ」, which must be there).
TEST(ScreenDialogs, QuestionsNoticesAndErrorsHaveJapaneseButtons) {
    TMessageBoxDialogs screen;
    BoxSeen seen;
    AnswerNextBox(QMessageBox::No, seen);
    EXPECT_FALSE(screen.Confirm("記録を保存できませんでした。もう一度保存しますか？"));
    EXPECT_THAT(seen.Buttons, UnorderedElementsAre("はい(&Y)", "いいえ(&N)"));
    seen = {};
    AnswerNextBox(QMessageBox::Yes, seen);
    EXPECT_TRUE(screen.Confirm("b を削除しますよ！"));
    for (const bool error : {false, true}) {
        seen = {};
        AnswerNextBox(QMessageBox::Ok, seen);
        error ? screen.ShowError("データが書込めません!\r\n") : screen.Inform("お知らせ");
        EXPECT_THAT(seen.Buttons, UnorderedElementsAre("OK"));
    }
}

} // namespace
} // namespace zanpel::test
