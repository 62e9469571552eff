// zanpelctl on Windows: what sets the bar up on a Linux desktop refuses and
// writes nothing; a data folder of a long Japanese name is read whole and its
// month files are kept from output under any spelling of their names.
#include "support/testsupport.h"
#include "support/zanpelctl.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>

namespace zanpel::test {
namespace {

using ::testing::HasSubstr;

TEST(ZanpelctlOnWindows, TheLinuxDesktopCommandsRefuseAndWriteNothing) {
    TempDir home;
    const std::map<std::string, std::string> env{{"HOME", home.Path()},
                                                 {"XDG_CONFIG_HOME", home.File("config")},
                                                 {"XDG_DATA_HOME", home.File("data")}};
    for (const std::vector<std::string>& args : {std::vector<std::string>{"autostart", "on"},
                                                 {"autostart", "status"},
                                                 {"gnome-extension", "install"}}) {
        const ProcessResult result = RunZanpelctl(args, env);
        EXPECT_EQ(result.ExitCode, 1) << args[0];
        EXPECT_THAT(result.Err, HasSubstr(args[0] + " は Windows では使えません"));
        EXPECT_TRUE(result.Out.empty());
    }
    EXPECT_TRUE(std::filesystem::is_empty(home.Path()));
}

// A path of UTF-8 text as the library takes it, whatever the code page.
std::filesystem::path Utf8Path(std::string_view text) {
    return std::u8string(reinterpret_cast<const char8_t*>(text.data()), text.size());
}

// 90 Japanese characters: 270 bytes in UTF-8, more than the C runtime's
// folder listing took, though Windows takes the path.
TEST(ZanpelctlOnWindows, ALongJapaneseFolderIsCheckedWholeAndItsMonthFilesAreNoOutput) {
    TempDir parent;
    TempDir runtime;
    std::string name;
    for (int i = 0; i < 18; ++i)
        name += "データ月次記";
    const std::string data = parent.File(name);
    std::filesystem::create_directory(Utf8Path(data));
    const std::string month = data + "/200507.dat";
    std::filesystem::copy_file(DataFile("200507-summary.dat"), Utf8Path(month));
    std::filesystem::copy_file(DataFile("settings-summary.ini"), Utf8Path(data + "/zanpel.ini"));
    const std::map<std::string, std::string> env{{"LOCALAPPDATA", runtime.Path()},
                                                 {"ZANPEL_DATA_DIR", ""}};

    const ProcessResult check = RunZanpelctl({"--data-dir", data, "check"}, env);
    EXPECT_EQ(check.ExitCode, 0) << check.Err;
    EXPECT_EQ(check.Out, "2 個のファイルを確認しました。エラー: 0\n");

    for (const std::string& output :
         {month, data + "/200507.DAT", data + "/209901.DAT.", data + "/ZANPEL.LOCK"}) {
        const ProcessResult report =
            RunZanpelctl({"--data-dir", data, "report", "200507", "--output", output}, env);
        EXPECT_EQ(report.ExitCode, 1) << output;
        EXPECT_THAT(report.Err, HasSubstr("データフォルダのファイル")) << output;
    }
    std::ifstream kept(Utf8Path(month), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}),
              ReadFile(DataFile("200507-summary.dat")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Utf8Path(data)),
                            std::filesystem::directory_iterator()),
              2);
}

} // namespace
} // namespace zanpel::test
