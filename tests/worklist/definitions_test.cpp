// The work list's definition file: read at the start, written at the end,
// never saved over while it could not be read, never lost to a full disk.
#include "support/diskfullwriter.h"
#include "worklist/worklistfixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace zanpel::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

class Definitions : public WorkListTest {
protected:
    std::string Path() const { return dir.File("zanpel.wk2"); }
};

TEST_F(Definitions, AFileThatCannotBeReadIsNeverSavedOver) {
    const std::string path = Path();
    std::filesystem::create_directory(path); // exists, but reading fails
    EXPECT_FALSE(list.LoadDefinitions(path));
    ASSERT_EQ(reporter.Messages.size(), 1u);
    EXPECT_THAT(reporter.Messages[0], HasSubstr(std::string(ReadErrorText) + "\r\n" + path));
    EXPECT_FALSE(list.SaveDefinitions());
    EXPECT_TRUE(std::filesystem::is_directory(path));

    // An unreadable file that becomes readable is copied aside, then replaced.
    std::filesystem::remove(path);
    WriteFile(path, "@old,,\r\n");
    ASSERT_TRUE(list.SaveDefinitions());
    EXPECT_EQ(ReadFile(path + ".broken-20050301-090000"), "@old,,\r\n");
    EXPECT_EQ(ReadFile(path), "");
}

TEST_F(Definitions, LinesASaveWouldWriteWithOtherBytesAreNamedAndKeptAsACopy) {
    const std::string path = Path();
    const std::string file = Sjis("@N3\\,,\r\n"            // a backslash at the end
                                  "@C:\\work\\x,,\r\n"     // escapes that are none
                                  "@LF only,,\r\n"         // a name cut at the blank
                                  "@会議,,\"A\"\"B\",\r\n" // a quote, written \q
                                  "@設計,a\\sb,\"c\\\\d\",@AP1,\"x/y\",\r\n"); // as written
    WriteFile(path, file);
    EXPECT_FALSE(list.LoadDefinitions(path));
    ASSERT_EQ(reporter.Messages.size(), 1u);
    for (int line : {1, 2, 3, 4})
        EXPECT_THAT(reporter.Messages[0], HasSubstr(std::to_string(line) + " 行目: ")) << line;
    EXPECT_THAT(reporter.Messages[0], Not(HasSubstr("5 行目")));
    EXPECT_THAT(reporter.Messages[0], HasSubstr("@C:\\work\\x,,"));
    EXPECT_EQ(list.AppSwitch().Count(), 6); // what could be read, and the rest item
    ASSERT_TRUE(list.SaveDefinitions());
    EXPECT_EQ(ReadFile(path + ".broken-20050301-090000"), file);
    EXPECT_THAT(ReadFile(path), HasSubstr(Sjis("\r\n@設計,a\\sb,\"c\\\\d\",@AP1,\"x/y\",\r\n")));
}

// A definition named like the computer-on record would give a button that
// books rests of that record: it is dropped, named, and the file kept.
TEST_F(Definitions, TheComputerOnRecordsNameIsNoItemAndItsLineIsNamed) {
    const std::string path = Path();
    const std::string file = "@a,,\r\n@%LOGIN%,,@AP1,\"calc.exe/\",\r\n@b,,\r\n";
    WriteFile(path, file);
    EXPECT_FALSE(list.LoadDefinitions(path));
    ASSERT_EQ(reporter.Messages.size(), 1u);
    EXPECT_THAT(reporter.Messages[0], HasSubstr("2 行目: "));
    EXPECT_THAT(reporter.Messages[0], HasSubstr("@%LOGIN%,,"));
    EXPECT_EQ(list.AppSwitch().IndexOf(LoginName), -1);
    EXPECT_EQ(list.AppSwitch().Count(), 3); // a, b and the rest item
    ASSERT_TRUE(list.SaveDefinitions());
    EXPECT_EQ(ReadFile(path + ".broken-20050301-090000"), file);
    EXPECT_THAT(ReadFile(path), Not(HasSubstr("%LOGIN%")));
}

TEST_F(Definitions, AFullDiskIsReportedAndLeavesTheFileAsItWas) {
    const std::string original = Sjis("@会議,,\r\n@休憩,,\r\n");
    WriteFile(Path(), original);
    ASSERT_TRUE(list.LoadDefinitions(Path()));
    list.AppSwitch().AddEntry({Sjis("設計"), "", "", false, {}});

    DiskFullWriter diskFull;
    diskFull.Room = 8; // the disk fills up part-way through the file
    list.SetWriter(&diskFull);
    EXPECT_FALSE(list.SaveDefinitions());
    ASSERT_EQ(reporter.Messages.size(), 1u);
    EXPECT_THAT(reporter.Messages[0], StartsWith(std::string(WriteErrorText) + "\r\n"));
    EXPECT_THAT(reporter.Messages[0], HasSubstr(std::strerror(ENOSPC)));
    EXPECT_EQ(ReadFile(Path()), original);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);

    diskFull.Full = false;
    ASSERT_TRUE(list.SaveDefinitions());
    EXPECT_THAT(ReadFile(Path()), HasSubstr(Sjis("\r\n@設計,,\r\n")));
}

} // namespace
} // namespace zanpel::test
