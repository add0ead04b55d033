#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/text_helpers.h"
#include "test_support.h"

namespace rw {
namespace {

TEST(TextToNumber, AcceptsEitherSeparatorAndBlanks) {
    for (char sep : {',', '.'}) {
        EXPECT_DOUBLE_EQ(TextToNumber("1,5", sep), 1.5);
        EXPECT_DOUBLE_EQ(TextToNumber("1.5", sep), 1.5);
        EXPECT_DOUBLE_EQ(TextToNumber(" 1 .5", sep), 1.5);
        EXPECT_DOUBLE_EQ(TextToNumber("12,50", sep), 12.5);
        EXPECT_DOUBLE_EQ(TextToNumber("-1e2", sep), -100);
        EXPECT_DOUBLE_EQ(TextToNumber("1 234,5", sep), 1234.5);
    }
}

TEST(TextToNumber, FailsWithTheTextAfterReplacement) {
    auto message = [](std::string_view text, char sep) { return test::UserErrorOf([&] { TextToNumber(text, sep); }); };
    EXPECT_EQ(message("", ','), "'' is not a valid floating point value");
    EXPECT_EQ(message("   ", '.'), "'' is not a valid floating point value");
    EXPECT_EQ(message("1,234.5", ','), "'1,234,5' is not a valid floating point value");
    EXPECT_EQ(message("1,234.5", '.'), "'1.234.5' is not a valid floating point value");
    EXPECT_EQ(message("1.2.3", '.'), "'1.2.3' is not a valid floating point value");
    EXPECT_EQ(message("12a", '.'), "'12a' is not a valid floating point value");
}

TEST(SplitSavePath, CutsTheNameTo13CharactersAndAtTheFirstPoint) {
    auto r = SplitSavePath("C:\\Prog\\bin\\sk\\Hornel\\Conditions-2009-09-01.dan");
    EXPECT_EQ(r.folder, "C:\\Prog\\bin\\sk\\Hornel");
    EXPECT_EQ(r.name, "Conditions-20");
    r = SplitSavePath("X:\\a.b.c");
    EXPECT_EQ(r.folder, "X:");
    EXPECT_EQ(r.name, "a");
    r = SplitSavePath("/tmp/data/short");
    EXPECT_EQ(r.folder, "/tmp/data");
    EXPECT_EQ(r.name, "short");
    // Characters, not bytes: Cyrillic names are cut after 13 letters too.
    r = SplitSavePath("/tmp/Условия-сентябрь.dan");
    EXPECT_EQ(r.name, "Условия-сентя");
    // The last character is never taken as the separator.
    r = SplitSavePath("/tmp/dir/");
    EXPECT_EQ(r.folder, "/tmp");
    EXPECT_EQ(r.name, "dir/");
}

TEST(RemoveBlanks, RemovesOnlyCharacter32) {
    EXPECT_EQ(RemoveBlanks(" a b "), "ab");
    EXPECT_EQ(RemoveBlanks("a\tb"), "a\tb");
}

}  // namespace
}  // namespace rw
