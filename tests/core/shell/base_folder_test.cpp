#include <gtest/gtest.h>

#include <filesystem>

#include "shell/base_folder.h"
#include "test_support.h"

namespace rw {
namespace {

// The user's choice beats the administrator's default, which beats the
// folder beside the program; a setting that names nothing is no setting.
TEST(BaseFolderSetting, OrderOfTheSources) {
    test::TempDir dir;
    const std::string user = dir.str() + "/user/base-folder", system = dir.str() + "/etc/base-folder";
    EXPECT_EQ(DefaultBaseFolder("/opt/rw", user, system), "/opt/rw\\bin\\sk");
    dir.Write("etc/base-folder", "# the plant data on the share\n\n  /mnt/share/sk/  \r\n/ignored\n");
    EXPECT_EQ(DefaultBaseFolder("/opt/rw", user, system), "/mnt/share/sk");
    dir.Write("user/base-folder", "# nothing chosen\n   \n");
    EXPECT_EQ(DefaultBaseFolder("/opt/rw", user, system), "/mnt/share/sk");
    WriteBaseFolderSetting(dir.str() + "/new/folders/base-folder", "/home/me/sk//");
    EXPECT_EQ(dir.Read("new/folders/base-folder"), "/home/me/sk\n");
    EXPECT_EQ(DefaultBaseFolder("/opt/rw", dir.str() + "/new/folders/base-folder", system), "/home/me/sk");
}

TEST(BaseFolderSetting, UserSettingFollowsTheConfigurationFolder) {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string kept = old ? old : "";
    ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(UserBaseFolderSetting(), "/cfg/reformer-workbench/base-folder");
    ::setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored, as the standard says
    const char* home = std::getenv("HOME");
    if (home && *home) {
        EXPECT_EQ(UserBaseFolderSetting(), std::string(home) + "/.config/reformer-workbench/base-folder");
    }
    if (old) ::setenv("XDG_CONFIG_HOME", kept.c_str(), 1);
    else ::unsetenv("XDG_CONFIG_HOME");
}

TEST(BaseFolderProblems, SaysWhatIsMissing) {
    test::TempDir dir;
    EXPECT_EQ(BaseFolderProblems(dir.str() + "/none"), std::vector<std::string>{"Папка " + dir.str() + "/none не найдена."});
    dir.Write("file", "x");
    EXPECT_EQ(BaseFolderProblems(dir.str() + "/file").size(), 1u);
    ASSERT_EQ(BaseFolderProblems(dir.str()).size(), 1u);
    EXPECT_NE(BaseFolderProblems(dir.str())[0].find("это не базовая папка программы"), std::string::npos);

    // Every plant's two settings files, in any letter case; the last plant's missing is named.
    for (int n = 1; n <= 17; ++n) {
        dir.Write("L90." + std::to_string(n), "");
        if (n < 17) dir.Write("kfr1." + std::to_string(n), "");
    }
    EXPECT_EQ(BaseFolderProblems(dir.str()),
              std::vector<std::string>{"В папке " + dir.str() + " нет файлов настроек установок: kfr1.17."});
    dir.Write("KFR1.17", "");
    EXPECT_EQ(BaseFolderProblems(dir.str()), std::vector<std::string>{});
    EXPECT_EQ(BaseFolderProblems(test::SourceDataTree()), std::vector<std::string>{});
}

}  // namespace
}  // namespace rw
