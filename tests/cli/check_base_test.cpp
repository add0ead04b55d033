// reformer-cli check-base on copies of the shipped base folder: clean, in
// Windows letter case, and with faults planted the way years of hand-kept
// data plant them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

class CheckBaseCommand : public ::testing::Test {
protected:
    test::TempDir dir;
    fs::path base = dir.path() / "sk";

    void SetUp() override {
        const fs::path standIns = fs::path(REFORMER_BINARY_DIR) / "bin" / "sk";
        if (!fs::exists(standIns / "kelmar.exe")) GTEST_SKIP() << "the stand-in models are not built";
        test::CopyTree(test::SourceDataTree(), base);
        for (const char* program : {"vortan.exe", "vortan-10.exe", "kelmar.exe", "selvin.exe", "drovan.exe"}) {
            fs::copy_file(standIns / program, base / program);
        }
    }
    test::CommandResult Check(const std::vector<std::string>& extra = {}) const {
        std::vector<std::string> args{"--base", base.string(), "check-base"};
        args.insert(args.end(), extra.begin(), extra.end());
        return test::RunCommand(REFORMER_CLI, args);
    }
};

TEST_F(CheckBaseCommand, TheShippedFolderPasses) {
    const auto r = Check();
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Установка 12: Хорнельский НПЗ (Л-35-11/450К), папка " + (base / "Hornel").string()),
              std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  01-09-09: условия есть; состав нет; результаты нет\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  Дат отбора: 13, с результатами расчета: 12\n  История svod.12: записей 12\n"),
              std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  drovan-1.exe: нет\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Итог: ошибок, мешающих расчету: 0; предупреждений: 0.\n"), std::string::npos) << r.out;

    // The folder named on the command line wins over --base.
    const auto other = test::RunCommand(REFORMER_CLI, {"--base", dir.str(), "check-base", base.string()});
    EXPECT_EQ(other.out, r.out);
    EXPECT_EQ(test::RunCommand(REFORMER_CLI, {"check-base", "a", "b"}).status, 2);
}

TEST_F(CheckBaseCommand, PlantedFaults) {
    // Warnings only: a date folder whose files carry another date, a history
    // record whose results file is gone, the programs in capitals.
    fs::create_directories(base / "Korvin" / "17-09-09");
    fs::copy_file(base / "Korvin/16-09-09/16-09-09.dan", base / "Korvin/17-09-09/17-09-09.dan");
    fs::copy_file(base / "Korvin/16-09-09/16-09-09.rez", base / "Korvin/17-09-09/17-09-09.rez");
    fs::remove(base / "Tarvel/15-04-09/15-04-09.rez");
    fs::rename(base / "kelmar.exe", base / "KELMAR.EXE");
    // Folders of a plant that are not named dd-mm-yy are no sampling dates.
    fs::create_directories(base / "Hornel" / "12_08-09");
    fs::create_directories(base / "Hornel" / "old");
    auto r = Check();
    EXPECT_NE(r.out.find("  Дат отбора: 13, с результатами расчета: 12\n  История svod.12: записей 12\n"),
              std::string::npos) << r.out;
    EXPECT_EQ(r.status, 0) << r.out;
    for (const std::string& expected : {
             "  Внимание: Папка " + (base / "Korvin/17-09-09").string() + ": в файле " +
                 (base / "Korvin/17-09-09/17-09-09.dan").string() + " дата отбора 16.09.09, а не 17.09.09.",
             "  Внимание: Папка " + (base / "Korvin/17-09-09").string() + ": в файле " +
                 (base / "Korvin/17-09-09/17-09-09.rez").string() + " дата отбора 16.09.09, а не 17.09.09.",
             "  Внимание: В истории " + (base / "svod.1").string() +
                 " есть записи без файла результатов в папке даты: 15-04-09.",
             std::string("  kelmar.exe: есть (KELMAR.EXE)"),
             std::string("Итог: ошибок, мешающих расчету: 0; предупреждений: 3."),
         }) {
        EXPECT_NE(r.out.find(expected + "\n"), std::string::npos) << expected << "\n" << r.out;
    }

    // Errors: a conditions file that does not read, two names of one file, a
    // plant's model program missing.
    test::TempDir scratch;
    scratch.Write("bad.dan", std::string("\x01\xff garbage\r\n", 12));
    fs::copy_file(scratch.path() / "bad.dan", base / "Hornel/12-08-09/12-08-09.dan", fs::copy_options::overwrite_existing);
    fs::copy_file(base / "Hornel/16-09-09/16-09-09.rez", base / "Hornel/16-09-09/16-09-09.REZ");
    fs::remove(base / "vortan-10.exe");
    r = Check();
    EXPECT_EQ(r.status, 1) << r.out;
    for (const std::string& expected : {
             "  ОШИБКА: В папке " + (base / "Hornel/16-09-09").string() +
                 " имена различаются только регистром букв: 16-09-09.REZ и 16-09-09.rez; программа найдет только "
                 "точное имя, оставьте одно из них.",
             std::string("  12-08-09: условия не читается; состав нет; результаты есть"),
             std::string("  ОШИБКА: Нет программы vortan-10.exe: расчет установок 10 не выполнить."),
             std::string("Итог: ошибок, мешающих расчету: 3; предупреждений: 3."),
         }) {
        EXPECT_NE(r.out.find(expected + "\n"), std::string::npos) << expected << "\n" << r.out;
    }
    // The conditions reader's own message, naming the file.
    EXPECT_NE(r.out.find("  ОШИБКА: Значение в файле условий не число (дробную часть в файле отделяют точкой): " +
                         (base / "Hornel/12-08-09/12-08-09.dan").string() + "\n"),
              std::string::npos) << r.out;
}

TEST(CheckBaseFolder, NotABaseFolder) {
    test::TempDir dir;
    dir.Write("notes.txt", "x");
    const auto r = test::RunCommand(REFORMER_CLI, {"check-base", dir.str()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("ОШИБКА: В папке " + dir.str() + " нет файлов настроек установок"), std::string::npos) << r.out;
    const auto missing = test::RunCommand(REFORMER_CLI, {"check-base", dir.str() + "/none"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.out.find("ОШИБКА: Папка " + dir.str() + "/none не найдена."), std::string::npos) << missing.out;
    // Nothing more is looked for in a folder that is not there.
    EXPECT_NE(missing.out.find("Итог: ошибок, мешающих расчету: 1; предупреждений: 0."), std::string::npos) << missing.out;
}

}  // namespace
}  // namespace rw
