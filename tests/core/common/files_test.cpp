#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <functional>

#include "common/codepage.h"
#include "common/configuration.h"
#include "common/dates.h"
#include "common/errors.h"
#include "common/files.h"
#include "common/name_lookup.h"
#include "test_support.h"

namespace rw {
namespace {

TEST(Lines, AcceptCrLfLfAndCr) {
    auto l = SplitLines("a\r\nb\nc\rd");
    ASSERT_EQ(l.size(), 4u);
    EXPECT_EQ(l[3], "d");
    EXPECT_EQ(SplitLines("a\r\n\r\n").size(), 2u);
    EXPECT_TRUE(SplitLines("").empty());
}

TEST(AtomicWrite, ReplacesWholeAndLeavesNoTemporaryFiles) {
    test::TempDir dir;
    std::string p = (dir.path() / "x.sk").string();
    WriteFileAtomic(p, "first");
    WriteFileAtomic(p, "second");
    EXPECT_EQ(test::Slurp(p), "second");
    size_t count = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) { (void)e; ++count; }
    EXPECT_EQ(count, 1u);
}

TEST(AtomicWrite, FailureLeavesThePreviousFileUntouched) {
    test::TempDir dir;
    std::string p = (dir.path() / "x.sk").string();
    WriteFileAtomic(p, "good");
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (::geteuid() != 0) {
        EXPECT_THROW(WriteFileAtomic(p, "bad"), UserError);
    }
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
    EXPECT_EQ(test::Slurp(p), "good");
    EXPECT_THROW(WriteFileAtomic((dir.path() / "missing" / "x").string(), "y"), UserError);
}

TEST(ReadFile, MissingFileSaysFileNotFound) {
    EXPECT_EQ(test::UserErrorOf([&] { ReadFileBytes("/nonexistent/file"); }), "File not found");
}

// The working configuration names the file and says in Russian what happened.
TEST(ReadFile, WorkingConfigurationNamesTheFile) {
    SetConfiguration(Configuration::Working);
    test::TempDir dir;
    const std::string missing = dir.str() + "\\Hornel\\01-09-09.dan";
    const std::string folder = (dir.path() / "folder").string();
    std::filesystem::create_directories(folder);
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { ReadFileBytes(missing); }, "Файл не найден: " + ToNative(missing)},
        {[&] { ReadFileBytes(folder); }, "Нет доступа к файлу: " + folder},
        {[&] { WriteFileAtomic(dir.str() + "/none/x.sk", "y"); }, "Папка не найдена: " + dir.str() + "/none"},
    };
    for (const auto& [action, message] : cases) EXPECT_EQ(test::UserErrorOf(action), message);
    SetConfiguration(Configuration::Described);
}

TEST(Paths, BackslashesMapToTheSeparator) {
    EXPECT_EQ(ToNative("a\\b\\Л-35-6"), "a/b/Л-35-6");
    EXPECT_EQ(JoinPath("a\\b", "c"), "a\\b\\c");
    EXPECT_EQ(JoinPath("a\\b\\", "c"), "a\\b\\c");
}

// Plant data copied from Windows keeps the case Windows left; the program's
// own spelling must reach those files, and new files keep its spelling.
TEST(Paths, ExistingNamesAreFoundWhateverTheirCase) {
    test::TempDir dir;
    const std::string b = dir.str();
    dir.Write("HORNEL/01-09-09/01-09-09.DAN", "dan");
    dir.Write("HORNEL/01-09-09/01-09-09.sk", "sk");
    dir.Write("Помощь.TXT", "help");
    const std::pair<std::string, std::string> cases[] = {
        {b + "\\Hornel\\01-09-09\\01-09-09.dan", b + "/HORNEL/01-09-09/01-09-09.DAN"},
        {b + "\\hornel\\01-09-09\\01-09-09.SK", b + "/HORNEL/01-09-09/01-09-09.sk"},
        // A new file in a found folder, and a new folder: spelled as written.
        {b + "\\Hornel\\01-09-09\\01-09-09.rez", b + "/HORNEL/01-09-09/01-09-09.rez"},
        {b + "\\Hornel\\Fr\\sum-fr", b + "/HORNEL/Fr/sum-fr"},
        {b + "\\помощь.txt", b + "/Помощь.TXT"},
        {b + "\\HORNEL\\", b + "/HORNEL/"},
        {b + "\\hornel\\", b + "/HORNEL/"},
        // "." and ".." are no names to look up, and the lookup goes on after them.
        {b + "\\hornel\\.\\01-09-09\\01-09-09.SK", b + "/HORNEL/./01-09-09/01-09-09.sk"},
        {b + "\\hornel\\..\\hornel\\01-09-09\\01-09-09.SK", b + "/HORNEL/../HORNEL/01-09-09/01-09-09.sk"},
        // Below a file, and below the root with nothing of the path there.
        {b + "\\помощь.txt\\x", b + "/Помощь.TXT/x"},
        {"\\no-such-folder-rw\\x", "/no-such-folder-rw/x"},
    };
    for (const auto& [written, found] : cases) EXPECT_EQ(ToNative(written), found) << written;
    EXPECT_EQ(ReadFileBytes(b + "\\hornel\\01-09-09\\01-09-09.dan"), "dan");
    EXPECT_TRUE(FileExists(b + "\\Hornel\\01-09-09\\01-09-09.Dan"));
    EXPECT_TRUE(FolderExists(b + "\\hornel"));

    // Rewritten in place, never beside it; a name just renamed is found at once.
    WriteFileAtomic(b + "\\Hornel\\01-09-09\\01-09-09.dan", "new");
    AppendToFile(b + "\\hornel\\01-09-09\\01-09-09.DAN", "+");
    EXPECT_EQ(ListFiles(b + "/HORNEL/01-09-09", "*"), (std::vector<std::string>{"01-09-09.DAN", "01-09-09.sk"}));
    EXPECT_EQ(test::Slurp(b + "/HORNEL/01-09-09/01-09-09.DAN"), "new+");
    std::filesystem::rename(b + "/HORNEL/01-09-09/01-09-09.DAN", b + "/HORNEL/01-09-09/01-09-09.Dan");
    EXPECT_EQ(ReadFileBytes(b + "\\Hornel\\01-09-09\\01-09-09.dan"), "new+");
    DeleteFile(b + "\\Hornel\\01-09-09\\01-09-09.dan");
    EXPECT_EQ(ListFiles(b + "/HORNEL/01-09-09", "*"), std::vector<std::string>{"01-09-09.sk"});
}

TEST(Paths, TwoCaseVariantsWithoutTheExactName) {
    SetConfiguration(Configuration::Working);
    test::TempDir dir;
    dir.Write("svod.12", "exact");
    dir.Write("SVOD.12", "upper");
    dir.Write("Svod.12", "title");
    EXPECT_EQ(ReadFileBytes(dir.str() + "/svod.12"), "exact");
    EXPECT_EQ(ReadFileBytes(dir.str() + "/SVOD.12"), "upper");
    std::filesystem::remove(dir.path() / "svod.12");
    EXPECT_EQ(test::UserErrorOf([&] { ReadFileBytes(dir.str() + "\\svod.12"); }),
              "В папке " + dir.str() + " есть два имени, различающиеся только регистром букв: SVOD.12 и Svod.12; "
              "оставьте одно из них.");
    // Folders too: the collision stops the lookup below them.
    dir.Write("Hornel/a", "1");
    dir.Write("HORNEL/a", "2");
    EXPECT_NE(test::UserErrorOf([&] { ReadFileBytes(dir.str() + "\\hornel\\a"); }).find("HORNEL и Hornel"),
              std::string::npos);
    SetConfiguration(Configuration::Described);
}

TEST(Paths, FoldNameCaseLatinAndRussian) {
    EXPECT_EQ(FoldNameCase("KELMAR.EXE"), "kelmar.exe");
    EXPECT_EQ(FoldNameCase("АЯЁПРжё-Z@[`{"), "аяёпржё-z@[`{");
    EXPECT_EQ(FoldNameCase("01-09-09.sir"), "01-09-09.sir");
}

TEST(CodePages, RoundTripCyrillic) {
    std::string text = "Дата отбора";
    std::string cp866 = Utf8ToCp866(text);
    EXPECT_EQ(cp866.size(), 11u);
    EXPECT_EQ(static_cast<unsigned char>(cp866[0]), 0x84);  // Д in cp866
    EXPECT_EQ(Cp866ToUtf8(cp866), text);
    std::string cp1251 = Utf8ToCp1251(text);
    EXPECT_EQ(static_cast<unsigned char>(cp1251[0]), 0xC4);  // Д in cp1251
    EXPECT_EQ(Cp1251ToUtf8(cp1251), text);
    // Box-drawing characters exist only in cp866.
    EXPECT_EQ(Cp866ToUtf8("\xC9\xCD"), "╔═");
    EXPECT_EQ(Utf8ToCp1251("╔"), "?");
}

TEST(Dates, DayNumbersAndShortDates) {
    EXPECT_DOUBLE_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_DOUBLE_EQ(EncodeDate(2009, 9, 1), 40057);
    EXPECT_EQ(FormatDateShort(40057), "01.09.09");
    EXPECT_EQ(FormatDateLong(40057), "01.09.2009");
    EXPECT_DOUBLE_EQ(ParseShortDate("01.09.09", '.', 2026), 40057);
    EXPECT_DOUBLE_EQ(ParseShortDate("01.09.2009", '.', 2026), 40057);
    // Two-digit years fall within 1976..2075 in 2026.
    int y, m, d;
    DecodeDate(ParseShortDate("01.01.76", '.', 2026), y, m, d);
    EXPECT_EQ(y, 1976);
    DecodeDate(ParseShortDate("01.01.75", '.', 2026), y, m, d);
    EXPECT_EQ(y, 2075);
    EXPECT_THROW(ParseShortDate("31.02.09", '.', 2026), UserError);
    EXPECT_EQ(test::UserErrorOf([&] { ParseShortDate("01-09-09", '.', 2026); }), "'01-09-09' is not a valid date");
}

// What an engineer types or pastes into a date field, read in 2026.
TEST(Dates, TypedDatesAreReadAsTyped) {
    struct Case {
        const char* text;
        int y, m, d;  // 0: refused
    };
    const Case cases[] = {
        {"20.11.26", 2026, 11, 20},
        {"20.11.2026", 2026, 11, 20},
        {"20,11,26", 2026, 11, 20},
        {"201126", 2026, 11, 20},
        {"20112026", 2026, 11, 20},
        {"2026-11-20", 2026, 11, 20},
        {"20-11-26", 2026, 11, 20},  // as the date folders are named
        {"20/11/26", 2026, 11, 20},
        {" 20.11.26 ", 2026, 11, 20},
        {"\t20.11.26\t", 2026, 11, 20},  // pasted from a sheet
        {"2026-011-20", 0, 0, 0},  // year first: month and day of two digits at most
        {"1.9.09", 2009, 9, 1},
        {"01.01.76", 1976, 1, 1},  // two-digit years within 1976..2075
        {"01.01.75", 2075, 1, 1},
        {"010176", 1976, 1, 1},
        {"29.02.24", 2024, 2, 29},
        // Each month's last day, and the day after it where the month is short.
        {"31.01.26", 2026, 1, 31},
        {"31.03.26", 2026, 3, 31},
        {"30.04.26", 2026, 4, 30},
        {"31.04.26", 0, 0, 0},
        {"31.05.26", 2026, 5, 31},
        {"31.06.26", 0, 0, 0},
        {"31.07.26", 2026, 7, 31},
        {"31.08.26", 2026, 8, 31},
        {"31.09.26", 0, 0, 0},
        {"31.10.26", 2026, 10, 31},
        {"31.11.26", 0, 0, 0},
        {"31.12.26", 2026, 12, 31},
        {"01.01.0001", 1, 1, 1},
        {"01.01.0000", 0, 0, 0},
        {"31.12.9999", 9999, 12, 31},
        {"29.02.2100", 0, 0, 0},  // no leap day in 2100
        {"29.02.25", 0, 0, 0},
        {"31.02.09", 0, 0, 0},
        {"32.11.26", 0, 0, 0},
        {"20.13.26", 0, 0, 0},
        {"00.11.26", 0, 0, 0},
        {"20.11.2", 0, 0, 0},
        {"20.11.202", 0, 0, 0},
        {"20.11.20266", 0, 0, 0},
        {"20.11", 0, 0, 0},
        {"20.11.26.", 0, 0, 0},
        {".20.11.26", 0, 0, 0},
        {"20..11.26", 0, 0, 0},
        {"20 11 26", 0, 0, 0},
        {"20112", 0, 0, 0},
        {"2011260", 0, 0, 0},
        {"201126000", 0, 0, 0},
        {"2026-11-200", 0, 0, 0},
        {"20.1a.26", 0, 0, 0},
        {"", 0, 0, 0},
        {"сегодня", 0, 0, 0},
    };
    for (const Case& c : cases) {
        double value = -1;
        const bool read = ParseTypedDate(c.text, 2026, value);
        EXPECT_EQ(read, c.y != 0) << c.text;
        if (read && c.y != 0) {
            EXPECT_DOUBLE_EQ(value, EncodeDate(c.y, c.m, c.d)) << c.text;
        }
    }
    EXPECT_EQ(NotADateMessage("Дата отбора", "32.11.26").rfind("Поле «Дата отбора»: «32.11.26» не дата", 0), 0u);
}

}  // namespace
}  // namespace rw
