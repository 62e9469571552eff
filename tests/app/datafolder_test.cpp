#include "app/datafolder.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

namespace zanpel {
namespace {

TEST(DataFolder, FollowsVariableThenPortableFolderThenXdg) {
    DataFolderInputs in{"/data", "/opt/zanpel", "/xdg", "/home/u"};
    auto portable = [](const std::string&) { return true; };
    auto installed = [](const std::string&) { return false; };
    EXPECT_EQ(ResolveDataFolder(in, portable), "/data");
    in.DataDirVariable.clear();
    EXPECT_EQ(ResolveDataFolder(in, portable), "/opt/zanpel");
    EXPECT_EQ(ResolveDataFolder(in, installed), "/xdg/zanpel");
    in.XdgDataHome.clear();
    EXPECT_EQ(ResolveDataFolder(in, installed), "/home/u/.local/share/zanpel");
}

TEST(DataFolder, TheStateFolderTakesOnlyAbsolutePaths) {
    EXPECT_EQ(ResolveStateFolder("/state", "/home/u"), "/state/zanpel");
    EXPECT_EQ(ResolveStateFolder("state", "/home/u"), "/home/u/.local/state/zanpel");
    EXPECT_EQ(ResolveStateFolder("", "relative"), "");
}

TEST(DataFolder, APortableFolderHoldsTheSettingsOrDefinitions) {
    test::TempDir dir;
    EXPECT_FALSE(IsPortableFolder(dir.Path())); // a build folder is not portable
    test::WriteFile(dir.File(DefinitionFileName), "");
    EXPECT_TRUE(IsPortableFolder(dir.Path()));
    std::string error;
    EXPECT_TRUE(MakeFolders(dir.File("a/b/c"), error));
    EXPECT_TRUE(IsPortableFolder(dir.Path()));
    test::WriteFile(dir.File("file"), "");
    EXPECT_FALSE(MakeFolders(dir.File("file/sub"), error));
    EXPECT_NE(error.find("file"), std::string::npos);
}

} // namespace
} // namespace zanpel
