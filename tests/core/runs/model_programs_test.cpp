// Model programs that another user could have replaced are not started; the
// administrator's installed copy is, after its checks. The tests run as root
// in CI: a second user is played by chown to a uid nobody has.
#include <gtest/gtest.h>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "common/errors.h"
#include "common/sha256.h"
#include "runs/external_program.h"
#include "runs/model_programs.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

constexpr unsigned kOtherUid = 12345;

std::string Script(const test::TempDir& dir, const std::string& relative, const std::string& body) {
    const std::string path = dir.Write(relative, "#!/bin/sh\n" + body);
    ::chmod(path.c_str(), 0755);
    return path;
}

// The installation's models folder redirected into the test's folder.
class ModelsFolder : public ::testing::Test {
protected:
    void SetUp() override { SetInstalledModelsFolder(models); }
    void TearDown() override { SetInstalledModelsFolder({}); }

    bool Root() const { return ::geteuid() == 0; }

    test::TempDir dir;
    std::string models = (dir.path() / "opt" / "models").string();
};

TEST(ModelRecord, ReadsWhatItWritesAndNamesABrokenLine) {
    const std::string sum(64, 'a');
    const std::vector<InstalledModel> record = {{sum, "vortan.exe", "ivanov", "2026-12-09T23:00:00Z"},
                                                {std::string(64, '0'), "KELMAR.EXE", "root", "2026-12-10T01:02:03Z"}};
    const std::string text = FormatModelRecord(record);
    EXPECT_EQ(text.substr(0, 83), sum + " vortan.exe ivanov ");
    const auto back = ParseModelRecord(text + "\n", "rec");
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].name, "KELMAR.EXE");
    EXPECT_EQ(back[1].installedAt, "2026-12-10T01:02:03Z");
    for (const std::string& bad : {std::string(63, 'a') + " x.exe who when", std::string(64, 'A') + " x.exe who when",
                                  sum + " x.exe who", sum + " .hidden who when"}) {
        EXPECT_EQ(test::UserErrorOf([&] { ParseModelRecord(text + bad + "\n", "/m/rec"); }),
                  "Список установленных программ модели /m/rec испорчен: строка 3 — не «контрольная сумма, имя, кто, "
                  "когда».")
            << bad;
    }
}

TEST(ModelRecord, ProgramNamesArePlainFileNames) {
    for (const char* good : {"vortan.exe", "VORTAN~1.EXE", "drovan-1.exe", "модель.exe"}) EXPECT_TRUE(IsModelProgramName(good)) << good;
    for (const char* bad : {"", ".record", "../vortan.exe", "bin/vortan.exe", "a b.exe", "a\\b.exe", "tab\t.exe"}) {
        EXPECT_FALSE(IsModelProgramName(bad)) << bad;
    }
}

TEST(ProgramTrust, InPlaceOnlyWhenRootAndTheUserAloneCanChangeIt) {
    EXPECT_EQ(ForeignWriteProblem(0, 0, 0755, 1000), "");
    EXPECT_EQ(ForeignWriteProblem(1000, 0, 0755, 1000), "");
    EXPECT_EQ(ForeignWriteProblem(1000, 0, 0757, 1000), "может изменить любой пользователь");
    EXPECT_EQ(ForeignWriteProblem(1000, 0, 0775, 1000).rfind("может изменить любой член группы ", 0), 0u);
    EXPECT_EQ(ForeignWriteProblem(0, 0, 02775, 1000).rfind("может изменить любой член группы ", 0), 0u);
    EXPECT_EQ(ForeignWriteProblem(kOtherUid, 0, 0700, 1000), "может изменить владелец, пользователь с номером 12345");
    // root's files are the administrator's, never "another user's".
    EXPECT_EQ(ForeignWriteProblem(0, 0, 0700, kOtherUid), "");

    test::TempDir dir;
    const std::string own = Script(dir, "own/vortan.exe", "exit 0\n");
    ProgramTrust trust = AssessProgramFile(own, ::geteuid());
    EXPECT_TRUE(trust.inPlace);
    EXPECT_EQ(trust.usersOwn, ::geteuid() != 0);
    ::chmod((dir.path() / "own").c_str(), 02775);
    trust = AssessProgramFile(own, ::geteuid());
    EXPECT_FALSE(trust.inPlace);
    EXPECT_EQ(trust.problem.rfind("её папку " + (dir.path() / "own").string() + " может изменить любой член группы", 0), 0u)
        << trust.problem;
    if (::geteuid() == 0) {
        // The engineer's own copy, seen by the engineer and by the administrator.
        ::chmod((dir.path() / "own").c_str(), 0755);
        ASSERT_EQ(::chown(own.c_str(), kOtherUid, 0), 0);
        ASSERT_EQ(::chown((dir.path() / "own").c_str(), kOtherUid, 0), 0);
        trust = AssessProgramFile(own, kOtherUid);
        EXPECT_TRUE(trust.inPlace && trust.usersOwn);
        trust = AssessProgramFile(own, 0);
        EXPECT_FALSE(trust.inPlace);
        EXPECT_EQ(trust.problem, "её может изменить владелец, пользователь с номером 12345");
    }
}

// With umask 002 a user's files are writable for the user's own group of the
// same name; nobody else is in it. root's group is not such a group.
TEST(ProgramTrust, UsersPrivateGroupMayWrite) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs chown";
    const struct passwd* daemon = ::getpwnam("daemon");
    const struct group* group = daemon ? ::getgrgid(daemon->pw_gid) : nullptr;
    if (!group || std::string(group->gr_name) != "daemon" || group->gr_mem[0]) GTEST_SKIP() << "no private group";
    const unsigned uid = daemon->pw_uid, gid = daemon->pw_gid;
    test::TempDir dir;
    const std::string program = Script(dir, "sk/vortan.exe", "exit 0\n");
    const std::string folder = (dir.path() / "sk").string();
    ASSERT_EQ(::chown(program.c_str(), uid, gid), 0);
    ASSERT_EQ(::chown(folder.c_str(), uid, gid), 0);
    ::chmod(program.c_str(), 0775);
    ::chmod(folder.c_str(), 02775);
    EXPECT_TRUE(AssessProgramFile(program, uid).inPlace);
    ::chmod(program.c_str(), 0777);
    EXPECT_EQ(AssessProgramFile(program, uid).problem, "её может изменить любой пользователь");
    ::chmod(program.c_str(), 0775);
    ASSERT_EQ(::chown(program.c_str(), uid, 0), 0);
    EXPECT_EQ(AssessProgramFile(program, uid).problem, "её может изменить любой член группы root");
}

TEST_F(ModelsFolder, InstalledProgramIsRootsAndItsCheckedCopyRunsUnderTheAskedName) {
    if (!Root()) GTEST_SKIP() << "installing needs root";
    const std::string program = dir.Write("VORTAN.EXE", "first model");
    const InstalledModel first = InstallModel(program, "VORTAN.EXE", "ivanov", 0, models);
    EXPECT_EQ(first.installedAt, "1970-01-01T00:00:00Z");
    // A newer program under the name in another case replaces it, file and line.
    dir.Write("new.exe", "second model");
    const InstalledModel entry = InstallModel(dir.str() + "/new.exe", "vortan.exe", "petrov ivan", 86399, models);
    EXPECT_EQ(entry.sha256, Sha256Hex("second model"));
    EXPECT_EQ(entry.installedBy, "petrov_ivan");
    EXPECT_EQ(entry.installedAt, "1970-01-01T23:59:59Z");
    EXPECT_FALSE(fs::exists(models + "/VORTAN.EXE"));
    const auto record = ParseModelRecord(test::Slurp(models + "/" + kModelRecordFile), "");
    ASSERT_EQ(record.size(), 1u);
    EXPECT_EQ(record[0].name, "vortan.exe");

    struct stat st{};
    ASSERT_EQ(::stat((models + "/vortan.exe").c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 0u);
    EXPECT_EQ(st.st_mode & 07777, 0755u);
    ASSERT_EQ(::stat((models + "/" + kModelRecordFile).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
    ASSERT_EQ(::stat(models.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0755u);

    std::string privateFolder;
    const std::string copy = CheckedInstalledCopy("Vortan.EXE", privateFolder, models);
    ASSERT_FALSE(copy.empty());
    EXPECT_EQ(fs::path(copy).filename(), "Vortan.EXE");
    EXPECT_EQ(test::Slurp(copy), "second model");
    ASSERT_EQ(::stat(privateFolder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 077, 0u);
    fs::remove_all(privateFolder);
    EXPECT_EQ(CheckedInstalledCopy("kelmar.exe", privateFolder, models), "");
    EXPECT_TRUE(privateFolder.empty());

    EXPECT_EQ(test::UserErrorOf([&] { InstallModel(program, "../vortan.exe", "x", 0, models); }).rfind(
                  "Имя программы модели «../vortan.exe» не подходит", 0),
              0u);
    EXPECT_NE(test::UserErrorOf([&] { InstallModel(dir.str() + "/missing.exe", "x.exe", "x", 0, models); })
                  .find("Не удалось прочитать программу модели " + dir.str() + "/missing.exe"),
              std::string::npos);
}

TEST_F(ModelsFolder, EveryWayToSlipAnotherProgramInIsRefused) {
    if (!Root()) GTEST_SKIP() << "installing needs root";
    const std::string path = models + "/vortan.exe";
    const std::string record = models + "/" + kModelRecordFile;
    struct Case {
        const char* what;
        std::function<void()> tamper;
        std::string expected;
    };
    const Case cases[] = {
        {"changed bytes", [&] { std::FILE* f = std::fopen(path.c_str(), "ab"); std::fputs("!", f); std::fclose(f); },
         "файл изменён после установки (1970-01-01T00:00:00Z, ivanov): его контрольная сумма не совпадает с записанной в " + record},
        {"group may write", [&] { ::chmod(path.c_str(), 0775); }, "её может изменить любой член группы "},
        {"another owner", [&] { ::chown(path.c_str(), kOtherUid, 0); }, "её может изменить владелец, пользователь с номером 12345"},
        {"folder open to all", [&] { ::chmod(models.c_str(), 0777); }, "папку моделей " + models + " может изменить любой пользователь"},
        {"record another's", [&] { ::chown(record.c_str(), kOtherUid, 0); },
         "список программ " + record + " может изменить владелец, пользователь с номером 12345"},
        {"the folder a link", [&] { fs::rename(models, models + "-real"); fs::create_directory_symlink(models + "-real", models); },
         "папка моделей " + models + " — ссылка, а не папка"},
        {"a link in its place", [&] { fs::rename(path, models + "/real"); fs::create_symlink(models + "/real", path); },
         "файла нет или это не обычный файл"},
    };
    for (const Case& c : cases) {
        if (fs::is_symlink(models)) fs::remove(models);
        fs::remove_all(models);
        fs::remove_all(models + "-real");
        InstallModel(dir.Write("vortan.exe", "#!/bin/sh\ntouch ran\n"), "vortan.exe", "ivanov", 0, models);
        // Checked once before: what passed then must not pass unchecked now.
        std::string privateFolder;
        ASSERT_FALSE(CheckedInstalledCopy("vortan.exe", privateFolder, models).empty()) << c.what;
        fs::remove_all(privateFolder);
        c.tamper();
        const std::string message = test::UserErrorOf([&] { CheckedInstalledCopy("vortan.exe", privateFolder, models); });
        EXPECT_EQ(message.rfind("Программа модели " + path + " не запущена: " + c.expected, 0), 0u) << c.what << ": " << message;
        EXPECT_NE(message.find("sudo reformer-cli install-model ФАЙЛ --as vortan.exe. Результаты расчета не сохранены."),
                  std::string::npos)
            << c.what;
        EXPECT_TRUE(privateFolder.empty()) << c.what;
    }
}

// The start itself: a shared base folder, one's own, and one that lacks the program.
TEST_F(ModelsFolder, StartTakesTheInstalledProgramForASharedFolderAndKeepsAnOwnOne) {
    if (!Root()) GTEST_SKIP() << "installing needs root";
    InstallModel(dir.Write("installed.sh", "#!/bin/sh\necho installed \"$@\" > out.txt\n"), "vortan.exe", "ivanov", 0, models);
    const std::string base = (dir.path() / "sk").string();
    const std::string local = Script(dir, "sk/vortan.exe", "echo local > out.txt\n");
    auto run = [&] {
        fs::remove(base + "/out.txt");
        EXPECT_EQ(RunExternalProgram(base + "/vortan.exe dan.bak", base, WindowMode::Hidden, 5000), RunOutcome::Finished);
        return test::Slurp(base + "/out.txt");
    };
    EXPECT_EQ(run(), "local\n");

    ::chmod(base.c_str(), 02775);  // the group's base folder
    EXPECT_EQ(run(), "installed dan.bak\n");
    fs::remove(local);
    EXPECT_EQ(run(), "installed dan.bak\n");
    // A bare name, as the dosing program is started, finds it there too.
    fs::remove(base + "/out.txt");
    EXPECT_EQ(RunExternalProgram("VORTAN.EXE x", base, WindowMode::Hidden, 5000), RunOutcome::Finished);
    EXPECT_EQ(test::Slurp(base + "/out.txt"), "installed x\n");

    // Replaced by a member of the group: not started, nothing written.
    ::chown((models + "/vortan.exe").c_str(), kOtherUid, 0);
    fs::remove(base + "/out.txt");
    const std::string message =
        test::UserErrorOf([&] { RunExternalProgram(base + "/vortan.exe", base, WindowMode::Hidden, 5000); });
    EXPECT_EQ(message.rfind("Программа модели " + models + "/vortan.exe не запущена: её может изменить владелец", 0), 0u)
        << message;
    EXPECT_FALSE(fs::exists(base + "/out.txt"));

    // A program in the shared folder that was never installed is refused, not run.
    Script(dir, "sk/drovan.exe", "echo local > out.txt\n");
    const std::string refused =
        test::UserErrorOf([&] { RunExternalProgram(base + "/drovan.exe", base, WindowMode::Hidden, 5000); });
    EXPECT_EQ(refused, RefusedProgramMessage(base + "/drovan.exe",
                                             "её папку " + base + " может изменить любой член группы root, а в папке "
                                             "моделей установки " + models + " программы drovan.exe нет",
                                             "drovan.exe"));
    EXPECT_FALSE(fs::exists(base + "/out.txt"));
}

// A DOS program with no runner for it: the message names the installed file,
// not its private copy.
TEST_F(ModelsFolder, RunnerMissingNamesTheInstalledProgram) {
    if (!Root()) GTEST_SKIP() << "installing needs root";
    InstallModel(dir.Write("dos.exe", "MZ a DOS model"), "vortan.exe", "ivanov", 0, models);
    const std::string base = (dir.path() / "sk").string();
    fs::create_directories(base);
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", (dir.path() / "sk").c_str(), 1);
    const std::string message =
        test::UserErrorOf([&] { RunExternalProgram(base + "/vortan.exe", base, WindowMode::Hidden, 5000); });
    ::setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(message, "Программа " + models + "/vortan.exe написана для DOS и не может быть запущена: установите "
                       "dosbox или wine (sudo apt install dosbox).");
    EXPECT_TRUE(fs::is_empty(base));
}

TEST_F(ModelsFolder, OwnFolderIsToldOnce) {
    std::vector<std::string> told;
    OwnPrograms().onNotice = [&](const std::string& notice) { told.push_back(notice); };
    OwnPrograms().toldFolders.clear();
    const std::string keep = OwnPrograms().toldFile;
    OwnPrograms().toldFile = (dir.path() / "config" / "own-model-folders").string();
    TellOwnProgramsOnce("/home/ivanov/sk");
    TellOwnProgramsOnce("/home/ivanov/sk");
    TellOwnProgramsOnce("/home/ivanov/sk2");
    // The next run of the program remembers them.
    OwnPrograms().toldFolders.clear();
    TellOwnProgramsOnce("/home/ivanov/sk2");
    TellOwnProgramsOnce("/home/ivanov");
    OwnPrograms().onNotice = nullptr;
    OwnPrograms().toldFile = keep;
    EXPECT_EQ(test::Slurp(dir.path() / "config" / "own-model-folders"), "/home/ivanov/sk\n/home/ivanov/sk2\n/home/ivanov\n");
    ASSERT_EQ(told.size(), 3u);
    EXPECT_EQ(told[0], "Программы модели запускаются из вашей собственной базовой папки /home/ivanov/sk: они "
                       "принадлежат вам, и заменять, обновлять и проверять их — ваше дело. Общая установка проверяет "
                       "только программы, поставленные администратором в папку моделей " + models + ".");
}

}  // namespace
}  // namespace rw
