// reformer-cli install-model and the calculation of a group's shared base
// folder: the model comes from the installation's models folder, and one
// that was changed after its installation is refused with nothing stored.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

class SharedInstallation : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0) GTEST_SKIP() << "installing a model program needs root";
        if (!fs::exists(model)) GTEST_SKIP() << "the stand-in model is not built";
        // A program folder of its own: its models folder is <program folder>/models.
        fs::create_directories(dir.path() / "opt");
        fs::copy_file(REFORMER_CLI, cli);
        test::CopyTree(test::SourceDataTree(), base);
        fs::remove(base / "kelmar.exe");
        ::chmod(base.c_str(), 02775);  // the group's, as the package leaves it
        ASSERT_EQ(Run({"install-model", model, "--as", "KELMAR.EXE"}), 0) << last.err;
        installed = last.out;
        ASSERT_EQ(Run({"--base", base.string(), "form", folder.string(), "01-09-09"}), 0) << last.err;
    }

    int Run(const std::vector<std::string>& args) {
        last = test::RunCommand(cli.string(), args);
        return last.status;
    }
    int Calc() { return Run({"--base", base.string(), "calc", (folder / "01-09-09.dan").string()}); }

    test::TempDir dir;
    std::string model = std::string(REFORMER_BINARY_DIR) + "/bin/sk/kelmar.exe";
    fs::path cli = dir.path() / "opt" / "reformer-cli";
    fs::path models = dir.path() / "opt" / "models";
    fs::path base = dir.path() / "opt" / "bin" / "sk";
    fs::path folder = base / "Hornel" / "01-09-09";
    test::CommandResult last;
    std::string installed;  // what install-model printed
};

TEST_F(SharedInstallation, InstalledModelRunsAndAChangedOneIsRefusedWithNothingStored) {
    EXPECT_NE(installed.find("установлена как " + models.string() + "/KELMAR.EXE (SHA-256 "), std::string::npos) << installed;
    ASSERT_EQ(Calc(), 0) << last.err;
    const std::string rez = test::Slurp(folder / "01-09-09.rez");
    const std::string index = test::Slurp(base / "svod.12");
    ASSERT_FALSE(rez.empty());

    const fs::path program = models / "KELMAR.EXE";
    const std::string refused = "Программа модели " + program.string() + " не запущена: ";
    // Changed in place, and handed to another user (a group member's uid).
    std::FILE* f = std::fopen(program.c_str(), "ab");
    std::fputs("x", f);
    std::fclose(f);
    EXPECT_EQ(Calc(), 1);
    EXPECT_NE(last.err.find(refused + "файл изменён после установки ("), std::string::npos) << last.err;
    EXPECT_EQ(test::Slurp(folder / "01-09-09.rez"), rez);
    EXPECT_EQ(test::Slurp(base / "svod.12"), index);

    ASSERT_EQ(Run({"install-model", model, "--as", "kelmar.exe", "--by", "ivanov"}), 0) << last.err;
    ASSERT_EQ(::chown((models / "kelmar.exe").c_str(), 12345, 12345), 0);
    EXPECT_EQ(Calc(), 1);
    EXPECT_NE(last.err.find("Программа модели " + (models / "kelmar.exe").string() +
                            " не запущена: её может изменить владелец, пользователь с номером 12345"),
              std::string::npos)
        << last.err;
    EXPECT_EQ(test::Slurp(base / "svod.12"), index);

    // A program a member drops into the shared base folder is not run, even
    // with nothing installed under its name.
    ASSERT_EQ(::chown((models / "kelmar.exe").c_str(), 0, 0), 0);
    fs::copy_file(models / "kelmar.exe", base / "kelmar.exe");
    ::chmod((base / "kelmar.exe").c_str(), 0775);
    EXPECT_EQ(Calc(), 0) << last.err;
    fs::remove(models / "installed-models.sha256");
    EXPECT_EQ(Calc(), 1);
    EXPECT_NE(last.err.find("Программа модели " + (base / "kelmar.exe").string() + " не запущена: её может изменить "
                            "любой член группы"),
              std::string::npos)
        << last.err;
}

TEST_F(SharedInstallation, InstallModelTakesOnlyAPlainNameAndOnlyFromRoot) {
    EXPECT_EQ(Run({"install-model", model}), 2);
    EXPECT_EQ(Run({"install-model", model, "--as", "../bin/sk/kelmar.exe"}), 1);
    EXPECT_NE(last.err.find("Имя программы модели «../bin/sk/kelmar.exe» не подходит"), std::string::npos) << last.err;
    EXPECT_FALSE(fs::exists(dir.path() / "opt" / "bin" / "sk" / "kelmar.exe"));

    // Another user, through setpriv where the machine has it.
    if (!fs::exists("/usr/bin/setpriv")) return;
    ::chmod(dir.path().c_str(), 0755);
    last = test::RunCommand("/usr/bin/setpriv", {"--reuid=12345", "--regid=12345", "--clear-groups", cli.string(),
                                                  "install-model", model, "--as", "vortan.exe"});
    EXPECT_EQ(last.status, 1);
    EXPECT_NE(last.err.find("Программы модели ставит только администратор: выполните команду через sudo"),
              std::string::npos)
        << last.err;
    EXPECT_FALSE(fs::exists(models / "vortan.exe"));
}

}  // namespace
}  // namespace rw
