#include "tracking/appswitch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zanpel {
namespace {

std::vector<std::string> Names(const TAppSwitch& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i)
        names.push_back(list.Items(i).Name);
    return names;
}

TEST(Definitions, AddEntryReplacesInPlaceOrAppends) {
    TAppSwitch list;
    EXPECT_EQ(list.AddEntry({"a", "1", "", false, {}}), 0);
    EXPECT_EQ(list.AddEntry({"b", "2", "", false, {}}), 1);
    TAppList replaced{
        "a", "new", "x,y", true, {{"edit.exe", TMatchKind::mkAnywhere, true, "*.txt"}}};
    EXPECT_EQ(list.AddEntry(replaced), 0);
    EXPECT_EQ(list.Items(0), replaced);
    EXPECT_THAT(Names(list), ::testing::ElementsAre("a", "b"));
    EXPECT_EQ(list.AddEntry({"A", "", "", false, {}}), 2); // case matters
    EXPECT_EQ(list.IndexOf("B"), -1);
    EXPECT_TRUE(list.SwitchEnabledOf(0));
    EXPECT_FALSE(list.SwitchEnabledOf(7));
}

TEST(Definitions, MoveDeleteAndAssignKeepTheOrder) {
    TAppSwitch list;
    for (const char* name : {"a", "b", "c", "d"})
        list.AddEntry({name, "", "", false, {}});
    list.Move(0, 2);
    EXPECT_THAT(Names(list), ::testing::ElementsAre("b", "c", "a", "d"));
    list.Move(3, 0);
    EXPECT_THAT(Names(list), ::testing::ElementsAre("d", "b", "c", "a"));
    list.Move(1, 9); // out of range: nothing
    list.Delete(-1);
    list.Delete(4);
    list.DeleteByName("none");
    list.DeleteByName("c");
    EXPECT_THAT(Names(list), ::testing::ElementsAre("d", "b", "a"));
    TAppSwitch copy;
    copy.AddEntry({"old", "", "", false, {}});
    copy.Assign(list);
    EXPECT_THAT(Names(copy), ::testing::ElementsAre("d", "b", "a"));
}

TEST(Definitions, FieldsTrimTheMemoAndAllowDuplicateNames) {
    TAppSwitch list;
    list.AddEntry({"a", " \r\n memo line\r\n\t", "x,y", false, {}});
    list.AddEntry({"b", "", "", false, {}});
    EXPECT_EQ(list.GetField(0, 0), "a");
    EXPECT_EQ(list.GetField(0, 1), "memo line");
    EXPECT_EQ(list.Items(0).Memo, " \r\n memo line\r\n\t");
    EXPECT_EQ(list.GetField(0, 2), "x,y");
    EXPECT_EQ(list.GetField(0, 9), "");
    EXPECT_EQ(list.GetField(5, 0), "");
    EXPECT_EQ(list.MemoOf("none"), "");
    list.SetField(1, 0, "a");
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.IndexOf("a"), 0);
    list.SetField(1, 2, "p,q");
    list.SetField(1, 7, "ignored");
    EXPECT_EQ(list.Items(1).Categories, "p,q");
}

} // namespace
} // namespace zanpel
