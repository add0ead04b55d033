#include "composition/composition_file.h"

#include <gtest/gtest.h>

#include <string>

#include "common/errors.h"
#include "common/files.h"
#include "test_support.h"

namespace rw {
namespace {

using test::DataPath;
using test::Slurp;
using test::TempDir;

// The record behind the golden files: a 7-character feed value (100), a
// negative lump on each side and a catalyzate value far wider than its field.
CompositionRecord GoldenRecord() {
    CompositionRecord r;
    for (int k = 1; k <= kModelComponentCount; ++k) {
        r.feed[k - 1] = k * 0.125;
        r.catalyzate[k - 1] = (70 - k) * 0.25;
    }
    r.feed[0] = 100.0;
    r.feed[46] = -1.5;
    r.catalyzate[63] = -12.25;
    r.catalyzate[68] = 1234.5678;
    r.fraction = {86, 96, 113, 152, 175};
    r.density = 0.73;
    return r;
}

TEST(CompositionFile, WritesBothStylesByteForByte) {
    const CompositionRecord r = GoldenRecord();
    EXPECT_EQ(ComposeCompositionFile(r, CompositionStyle::Formation), Slurp(DataPath("composition/formation_style.sk")));
    EXPECT_EQ(ComposeCompositionFile(r, CompositionStyle::Editor), Slurp(DataPath("composition/editor_style.sk")));

    // The files land where the callers say, complete.
    TempDir dir;
    WriteCompositionFile(r, dir.str(), "01-09-09");
    EXPECT_EQ(dir.Read("01-09-09.sk"), Slurp(DataPath("composition/formation_style.sk")));
    SaveCompositionFile(r, (dir.path() / "edited.sk").string());
    EXPECT_EQ(dir.Read("edited.sk"), Slurp(DataPath("composition/editor_style.sk")));
}

TEST(CompositionFile, LatinLettersStayLatinInCp1251) {
    // The model's label columns were always written with these Latin letters;
    // a Cyrillic look-alike would change the bytes of line 2, 69 and 68.
    const std::string bytes = ComposeCompositionFile(GoldenRecord(), CompositionStyle::Formation);
    const auto lines = SplitLines(bytes);
    ASSERT_EQ(lines.size(), 144u);
    EXPECT_EQ(lines[1][6], 'p');
    EXPECT_EQ(lines[68][13], 'p');
    EXPECT_EQ(lines[69 + 1][6], 'p');
    const auto editor = SplitLines(ComposeCompositionFile(GoldenRecord(), CompositionStyle::Editor));
    EXPECT_EQ(editor[67].substr(5, 12), "        C9+ ");
    EXPECT_EQ(editor[143].substr(0, 11), "          p");
}

TEST(CompositionFile, ReadingRuleOnTheFormationStyle) {
    const CompositionTexts t = ReadCompositionFile(DataPath("composition/formation_style.sk"));
    EXPECT_EQ(t.values[0], "100.000");
    EXPECT_EQ(t.values[1], " 0.250");
    EXPECT_EQ(t.values[46], "-1.500");
    EXPECT_EQ(t.values[69], "17.250");
    EXPECT_EQ(t.values[137], "1234.568");
    // Tail values come after column 16: two blanks before a temperature, one
    // before the density.
    EXPECT_EQ(t.tailCount, 6);
    EXPECT_TRUE(t.HasCompleteTail());
    EXPECT_EQ(t.tail[0], "  86");
    EXPECT_EQ(t.tail[2], " 113");
    EXPECT_EQ(t.tail[5], " 0.730");
}

TEST(CompositionFile, ReadingRuleOnTheEditorStyle) {
    const CompositionTexts t = ReadCompositionFile(DataPath("composition/editor_style.sk"));
    EXPECT_EQ(t.values[0], "100.000");
    EXPECT_EQ(t.values[68], " 8.625");
    EXPECT_EQ(t.tail[0], "86.000");
    EXPECT_EQ(t.tail[2], "113.000");
    EXPECT_EQ(t.tail[5], " 0.730");
}

TEST(CompositionFile, BothStylesReadBackToTheSameRecord) {
    const CompositionRecord expected = GoldenRecord();
    for (const char* name : {"composition/formation_style.sk", "composition/editor_style.sk"}) {
        SCOPED_TRACE(name);
        const CompositionRecord r = CompositionFromTexts(ReadCompositionFile(DataPath(name)));
        for (int k = 0; k < kModelComponentCount; ++k) {
            EXPECT_NEAR(r.feed[k], expected.feed[k], 0.0005) << k + 1;
            EXPECT_NEAR(r.catalyzate[k], expected.catalyzate[k], 0.0005) << k + 70;
        }
        for (int i = 0; i < 5; ++i) EXPECT_DOUBLE_EQ(r.fraction[i], expected.fraction[i]);
        EXPECT_DOUBLE_EQ(r.density, 0.73);
    }
}

TEST(CompositionFile, TailRules) {
    TempDir dir;
    const auto golden = SplitLines(Slurp(DataPath("composition/formation_style.sk")));
    std::vector<std::string> body(golden.begin(), golden.begin() + 138);

    // No tail at all, or fewer than six non-empty rests: all six are "0".
    auto path = dir.Write("a.sk", JoinLinesCrLf(body));
    CompositionTexts t = ReadCompositionFile(path);
    EXPECT_EQ(t.tailCount, 0);
    EXPECT_FALSE(t.HasCompleteTail());
    for (const auto& s : t.tail) EXPECT_EQ(s, "0");

    auto five = body;
    for (const char* v : {"1", "2", "3", "4", "5"}) five.push_back(std::string(16, ' ') + v);
    t = ReadCompositionFile(dir.Write("b.sk", JoinLinesCrLf(five)));
    EXPECT_EQ(t.tailCount, 5);
    for (const auto& s : t.tail) EXPECT_EQ(s, "0");

    // Empty rests (short or blank lines) are dropped; of more than twelve
    // tail lines the last six count.
    auto many = body;
    for (int i = 1; i <= 14; ++i) {
        many.push_back(std::string(16, ' ') + std::to_string(i));
        many.push_back("   short");
        many.push_back("");
    }
    t = ReadCompositionFile(dir.Write("c.sk", JoinLinesCrLf(many)));
    EXPECT_EQ(t.tailCount, 14);
    EXPECT_EQ(t.tail[0], "9");
    EXPECT_EQ(t.tail[5], "14");
}

TEST(CompositionFile, ShortFilesAndLines) {
    TempDir dir;
    // Lines of 17 characters or fewer and missing lines give empty value texts.
    const auto path = dir.Write("short.sk", " 1   этан\r\n 2   xxxxxxxxxxxx 5.000\r\n12345678901234567\r\n");
    const CompositionTexts t = ReadCompositionFile(path);
    EXPECT_EQ(t.values[0], "");
    EXPECT_EQ(t.values[1], " 5.000");
    EXPECT_EQ(t.values[2], "");
    EXPECT_EQ(t.values[137], "");
    EXPECT_EQ(t.tail[0], "0");
    // The caller's number reading refuses an empty value text.
    EXPECT_THROW(CompositionFromTexts(t), UserError);
}

TEST(CompositionFile, Failures) {
    TempDir dir;
    EXPECT_THROW(ReadCompositionFile((dir.path() / "missing.sk").string()), UserError);
    // A folder that is not there: nothing is created.
    EXPECT_THROW(WriteCompositionFile(GoldenRecord(), (dir.path() / "no" / "such").string(), "01-09-09"), UserError);
    EXPECT_FALSE(FolderExists((dir.path() / "no").string()));
}

}  // namespace
}  // namespace rw
