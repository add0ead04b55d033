#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/configuration.h"
#include "composition/component_list.h"
#include "composition/report_import.h"
#include "test_support.h"

namespace rw {
namespace {

std::string Line(const std::string& name, const std::string& value) {
    std::string l = name;
    l.resize(43, ' ');
    return l + value;
}

TEST(ValueField, NormalisationKeepsTwoIntegerDigitsAndThreeDecimals) {
    EXPECT_EQ(ComponentList::NormalizeValue("100"), "00.000");
    EXPECT_EQ(ComponentList::NormalizeValue("5"), "05.000");
    EXPECT_EQ(ComponentList::NormalizeValue(",5"), "00.500");
    EXPECT_EQ(ComponentList::NormalizeValue(" 1 2,3 "), "12.300");
    EXPECT_EQ(ComponentList::NormalizeValue("1.2345"), "01.2345");
    EXPECT_EQ(ComponentList::NormalizeValue("abc"), "00.000");
    EXPECT_EQ(ComponentList::NormalizeValue(""), "00.000");
}

TEST(ValueField, LeavingStoresIntoTheSelectedLineAndMovesTheSum) {
    ComponentList list;
    list.lines = {Line("Benzene", "01.000"), Line("Toluene", "02.000")};
    list.runningSum = 3;
    list.selected = 1;
    list.StoreValue("5");
    EXPECT_EQ(list.lines[1], Line("Toluene", "05.000"));
    EXPECT_DOUBLE_EQ(list.runningSum, 6);
    // Seven characters after normalisation: the line keeps six, the sum counts all.
    list.StoreValue("1.2345");
    EXPECT_EQ(list.lines[1], Line("Toluene", "01.234"));
    EXPECT_DOUBLE_EQ(list.runningSum, 1 + 1.2345);
    list.selected = -1;
    list.StoreValue("7");  // nothing selected: the edit is ignored
    EXPECT_DOUBLE_EQ(list.runningSum, 1 + 1.2345);
}

TEST(NameField, SearchIsCaseBlindAndStopsAtTheFirstBlank) {
    ComponentList list;
    list.lines = {Line("Benzene", "01.000"), Line("n-Hexane", "02.000"), Line("\xC1\xE5\xED\xE7\xEE\xEB", "03.000")};
    EXPECT_EQ(list.Find("N-HEX"), 1);
    EXPECT_EQ(list.Find("ben zol"), 0);
    EXPECT_EQ(list.Find("\xE1\xE5\xED"), 2);  // "бен" finds "Бензол" in cp1251
    EXPECT_EQ(list.Find(""), -1);
    EXPECT_EQ(list.Find("xylene"), -1);
}

TEST(NameField, LeavingWithAnUnknownNameAppendsALine) {
    ComponentList list;
    list.lines = {Line("Benzene", "01.000")};
    EXPECT_TRUE(list.LeaveNameField("benz"));
    EXPECT_EQ(list.selected, 0);
    EXPECT_FALSE(list.LeaveNameField(""));
    EXPECT_EQ(list.lines.back(), std::string(43, ' ') + "00.000");
    EXPECT_EQ(list.selected, 1);
}

TEST(ZeroLines, RemovedInOrderAndAFaultyValueStopsTheCleaning) {
    ComponentList list;
    list.lines = {Line("A", "00.000"), Line("B", "01.000"), Line("C", "00.000"), Line("D", "02.000")};
    list.RemoveZeroLines();
    ASSERT_EQ(list.lines.size(), 2u);
    EXPECT_EQ(ComponentList::NamePart(list.lines[1]).substr(0, 1), "D");
    list.lines = {Line("A", "00.000"), Line("B", "xx.xxx"), Line("C", "00.000")};
    EXPECT_THROW(list.RemoveZeroLines(), UserError);
    ASSERT_EQ(list.lines.size(), 2u);  // A removed, B and C kept
}

TEST(Template, LinesArePaddedNamesWithZeroValues) {
    ComponentList list;
    list.LoadTemplate({"Benzene", std::string(50, 'x')});
    EXPECT_EQ(list.lines[0], Line("Benzene", "00.000").substr(0, 42) + " 00.000");
    EXPECT_EQ(list.lines[1].size(), 49u);
    EXPECT_EQ(list.selected, 0);
    list.LoadTemplate({});
    EXPECT_EQ(list.selected, -1);
}

// The working configuration: what is stored is what is typed, or the value
// is refused; the sum is always the sum of the stored texts.
TEST(ValueFieldWorking, StoredTextIsTheValueSummed) {
    SetConfiguration(Configuration::Working);
    struct Case {
        const char* typed;
        const char* stored;  // nullptr: refused, the line unchanged
    };
    const Case cases[] = {
        {"100", nullptr},       {"99.9999", nullptr}, {"-1", nullptr},      {"4x", nullptr},
        {"1.2344", "01.234"},   {"1.2346", "01.235"}, {"12,5", "12.500"},   {" 5 ", "05.000"},
        {"", "00.000"},         {"99.999", "99.999"}, {"1e1", "10.000"},
    };
    for (const Case& c : cases) {
        ComponentList list;
        list.lines = {Line("Benzene", "01.000"), Line("Toluene", "02.000")};
        list.runningSum = 3;
        list.selected = 1;
        if (!c.stored) {
            EXPECT_NE(test::UserErrorOf([&] { list.StoreValue(c.typed); }), "no error") << c.typed;
            EXPECT_EQ(list.lines[1], Line("Toluene", "02.000")) << c.typed;
            EXPECT_DOUBLE_EQ(list.runningSum, 3) << c.typed;
            continue;
        }
        list.StoreValue(c.typed);
        EXPECT_EQ(list.lines[1], Line("Toluene", c.stored)) << c.typed;
        EXPECT_DOUBLE_EQ(list.runningSum, ListSum(list.lines)) << c.typed;
    }
    // A line imported without a number can be corrected; the sum then counts it.
    ComponentList list;
    list.lines = {Line("Benzene", "01.000"), Line("Toluene", "4x.000")};
    list.selected = 1;
    list.StoreValue("4");
    EXPECT_DOUBLE_EQ(list.runningSum, 5);
    SetConfiguration(Configuration::Described);
}

}  // namespace
}  // namespace rw
