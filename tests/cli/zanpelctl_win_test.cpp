// zanpelctl on Windows: what sets the bar up on a Linux desktop refuses and
// writes nothing.
#include "support/testsupport.h"
#include "support/zanpelctl.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

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

} // namespace
} // namespace zanpel::test
