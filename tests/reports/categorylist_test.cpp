#include "reports/categorylist.h"
#include "support/testsupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zanpel {
namespace {

using test::Sjis;

TEST(CategoryList, AddsTrimmedNewCategoriesOnly) {
    StringList items = {"Design", Sjis("会議")};
    EXPECT_TRUE(AddCategory(items, " \tReview\r\n"));
    EXPECT_FALSE(AddCategory(items, "design")); // other letter case
    EXPECT_FALSE(AddCategory(items, Sjis("会議")));
    EXPECT_TRUE(AddCategory(items, Sjis("ｔｅｓｔ")));
    EXPECT_FALSE(AddCategory(items, Sjis("ＴＥＳＴ"))); // full-width letters fold too
    EXPECT_FALSE(AddCategory(items, "  "));
    EXPECT_THAT(items, ::testing::ElementsAre("Design", Sjis("会議"), "Review", Sjis("ｔｅｓｔ")));
}

} // namespace
} // namespace zanpel
