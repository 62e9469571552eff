// Replacing files on Windows: another program that holds the file for a
// moment only delays the save; one that keeps holding it fails it with the
// old file intact and no temporary file left; a read-only file is refused;
// a file in binary mode keeps its CR LF bytes; and the data folder's files
// are told from others by the file, not the drive, under every spelling
// Windows takes for their names and in folders of long Japanese names.
#include "records/atomicfile.h"
#include "records/foldernames.h"
#include "records/ownfiles.h"
#include "records/widetext.h"
#include "support/diskfullwriter.h"
#include "support/testsupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <thread>

namespace zanpel::test {
namespace {

using ::testing::HasSubstr;

// The file open as an editor that shares nothing holds it, for holdMs.
std::jthread HoldFile(const std::string& path, int holdMs) {
    const HANDLE file =
        ::CreateFileW(WideText(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    return std::jthread([file, holdMs] {
        ::Sleep(static_cast<DWORD>(holdMs));
        ::CloseHandle(file);
    });
}

size_t EntriesIn(const std::string& folder) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                             std::filesystem::directory_iterator()));
}

TEST(WindowsReplace, AFileHeldForAMomentIsReplacedAndOneHeldLongerIsKept) {
    TempDir dir;
    const std::string file = dir.File("200503.dat");
    WriteFile(file, "old\r\n");
    AtomicWriter writer;
    {
        const std::jthread holder = HoldFile(file, 200);
        EXPECT_EQ(writer.Replace(file, "new\r\n"), "");
    }
    EXPECT_EQ(ReadFile(file), "new\r\n");
    {
        const std::jthread holder = HoldFile(file, 3000);
        const std::string error = writer.Replace(file, "newer\r\n");
        EXPECT_THAT(error, HasSubstr(file + ": "));
    }
    EXPECT_EQ(ReadFile(file), "new\r\n");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(WindowsReplace, ReadOnlyFilesFoldersAndFailedWritesLeaveEverythingAsItWas) {
    TempDir dir;
    const std::string file = dir.File("kept.txt");
    WriteFile(file, "old");
    ASSERT_TRUE(::SetFileAttributesW(WideText(file).c_str(), FILE_ATTRIBUTE_READONLY));
    AtomicWriter writer;
    EXPECT_THAT(writer.Replace(file, "new"), HasSubstr(file + ": "));
    ASSERT_TRUE(::SetFileAttributesW(WideText(file).c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_THAT(writer.Replace(dir.Path(), "new"), HasSubstr(dir.Path() + ": "));
    DiskFullWriter full;
    full.Room = 1;
    EXPECT_THAT(full.Replace(file, "new"), HasSubstr(file + ": "));
    EXPECT_EQ(ReadFile(file), "old");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(WindowsReplace, BytesAreWrittenAndReadAsTheyAre) {
    TempDir dir;
    const std::string file = dir.File("new.dat");
    std::string bytes = "a\r\nb\nc\r\r\n";
    bytes += '\x1a'; // the end-of-file mark of text mode
    bytes += "d\x82\xa0\n";
    AtomicWriter writer;
    ASSERT_EQ(writer.Replace(file, bytes), "");
    std::string read;
    std::string error;
    ASSERT_TRUE(ReadWholeFile(file, read, error)) << error;
    EXPECT_EQ(read, bytes);
    EXPECT_FALSE(ReadWholeFile(dir.Path(), read, error));
    EXPECT_TRUE(IsOtherThanRegularFile(dir.Path()));
    EXPECT_FALSE(IsOtherThanRegularFile(file));
}

TEST(WindowsOwnFiles, TheFoldersFilesAreToldByTheFileNotByTheDrive) {
    TempDir data;
    TempDir elsewhere;
    WriteFile(data.File("200503.dat"), "x");
    WriteFile(elsewhere.File("report.txt"), "x");
    EXPECT_NE(OwnFileRefusal(data.File("200503.dat"), data.Path()), "");
    EXPECT_NE(OwnFileRefusal(data.File("200504.dat"), data.Path()), "");
    EXPECT_EQ(OwnFileRefusal(elsewhere.File("report.txt"), data.Path()), "");
    EXPECT_EQ(OwnFileRefusal(elsewhere.File("200504.dat"), data.Path()), "");
    EXPECT_EQ(OwnFileRefusal(data.File("report.txt"), data.Path()), "");
}

// Windows finds "209901.DAT", "zanpel.ini." and "zanpel.lock " as the data
// folder's own files, whether they exist yet or not.
TEST(WindowsOwnFiles, EverySpellingWindowsTakesForAnOwnFileIsRefused) {
    TempDir data;
    WriteFile(data.File("200503.dat"), "x");
    for (const char* name :
         {"200503.DAT", "200503.dat.", "209901.DAT", "209901.dat. ", "ZANPEL.LOCK", "Zanpel.Ini",
          "zanpel.wk2 ", "200503.DAT.Broken-1", "200503.dat.TMP-abc123"})
        EXPECT_NE(OwnFileRefusal(data.File(name), data.Path()), "") << name;
    EXPECT_EQ(OwnFileRefusal(data.File("209901.DAT.txt"), data.Path()), "");
    EXPECT_EQ(OwnFileRefusal(data.File("2099.DAT"), data.Path()), "");
}

// A folder of 90 Japanese characters is 270 bytes in UTF-8: more than the C
// runtime's folder listing takes, though Windows takes the path.
TEST(WindowsOwnFiles, AFolderWithALongJapaneseNameIsListedAndItsFilesKnownUnderAnyName) {
    TempDir parent;
    std::string name;
    for (int i = 0; i < 18; ++i)
        name += "データ月次記";
    const std::string data = parent.File(name);
    ASSERT_TRUE(::CreateDirectoryW(WideText(data).c_str(), nullptr));
    AtomicWriter writer;
    ASSERT_EQ(writer.Replace(data + "/200503.dat", "x"), "");
    ASSERT_EQ(writer.Replace(data + "/report.txt", "x"), "");
    ASSERT_TRUE(::CreateHardLinkW(WideText(data + "/other.txt").c_str(),
                                  WideText(data + "/200503.dat").c_str(), nullptr));

    std::vector<std::string> names;
    std::string error;
    ASSERT_TRUE(ListFolder(data, names, error)) << error;
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"200503.dat", "other.txt", "report.txt"}));
    EXPECT_NE(OwnFileRefusal(data + "/other.txt", data), "");
    EXPECT_NE(OwnFileRefusal(data + "/200503.dat", data), "");
    EXPECT_EQ(OwnFileRefusal(data + "/report.txt", data), "");
    EXPECT_FALSE(ListFolder(data + "/report.txt", names, error));
    EXPECT_THAT(error, HasSubstr(data + "/report.txt: "));
}

} // namespace
} // namespace zanpel::test
