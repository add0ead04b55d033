#include <gtest/gtest.h>

#include "common/dates.h"
#include "common/number_format.h"
#include "conditions/conditions_checks.h"
#include "conditions/conditions_edits.h"
#include "sample_conditions.h"

namespace rw {
namespace {

// Functions, not constants: the date routine's tables may not be set up
// before this file's constants would be.
double Sampling() { return EncodeDate(2009, 9, 1); }
double Regeneration() { return EncodeDate(2009, 3, 15); }

ConditionsEditTexts SampleTexts() {
    const RowExtension extension = test::SampleExtension();
    return EditsFromRecord(test::SampleConditions(), &extension);
}

std::string Joined(const ConditionsCheck& check) {
    std::string s;
    for (const auto& r : check.refusals) s += r + "\n";
    return s + check.question;
}

// Each case changes the sample texts of the form and names the text the
// check must give (a refusal or the question); empty: the save goes on.
TEST(ConditionsChecks, NameTheFieldAndTheFault) {
    struct Case {
        int edit;
        const char* text;
        const char* expected;
        double regeneration = Regeneration();
    };
    const Case cases[] = {
        {0, "", ""},
        {24, "0,02", ""},
        {1, "64,5", ""},
        {1, "", "Поле «Расход сырья, м3/час» не заполнено."},
        {24, "  ", "Поле «Влажность ВСГ, %» не заполнено."},
        {3, "1x3", "Поле «Давление, атм. (Р - 2)»: «1x3» не число"},
        {3, "250", "Поле «Давление, атм. (Р - 2)»: 250 вне физических пределов, от 0 до 100."},
        {28, "-5", "Поле «Температура, °С (Р - 5)»: -5 вне физических пределов, от 0 до 650."},
        {2, "1.5e7", "Поле «Расход ВСГ, м3/час»: 15000000 вне физических пределов"},
        {15, "60", "Сумма состава ВСГ 75.390 % далека от 100 %. Сохранить всё же?"},
        {16, "7,5", ""},  // 101.38: within the tolerance
        // Each bound is a value a plant can have; just beyond it is not.
        {3, "0", ""},
        {3, "100", ""},
        {3, "100,001", "Поле «Давление, атм. (Р - 2)»: 100.001 вне физических пределов, от 0 до 100."},
        {3, "100.000000000001", "Поле «Давление, атм. (Р - 2)»: 100.000000000001 вне"},  // all 15 digits shown
        {3, "-0.001", "Поле «Давление, атм. (Р - 2)»: -0.001 вне физических пределов"},
        {11, "-50", ""},
        {11, "-50,5", "Поле «Перепад темп., °С (Р - 2)»: -50.5 вне физических пределов, от -50 до 200."},
        {28, "650", ""},
        {28, "650.5", "Поле «Температура, °С (Р - 5)»: 650.5 вне физических пределов, от 0 до 650."},
        {26, "10000000", ""},
        {1, "5000,01", "Поле «Расход сырья, м3/час»: 5000.01 вне физических пределов, от 0 до 5000."},
        // The gas sum: the sum's bounds (exactly 102 and 98 in doubles) and
        // its first and last members; the moisture is not one of them.
        {15, "86.61000000000001", ""},
        {15, "86,62", "Сумма состава ВСГ 102.010 % далека от 100 %."},
        {15, "82.61000000000001", ""},
        {15, "82,6", "Сумма состава ВСГ 97.990 % далека от 100 %."},
        {23, "5", "Сумма состава ВСГ 104.870 % далека от 100 %."},
        {24, "100", ""},
        // A regeneration on the sampling day is in order; a day later is not.
        {0, "", "", Sampling()},
        {0, "", "Дата регенерации катализатора 02.09.09 позже даты отбора 01.09.09.", Sampling() + 1},
    };
    for (const Case& c : cases) {
        ConditionsEditTexts texts = SampleTexts();
        if (c.edit) texts[static_cast<size_t>(c.edit)] = c.text;
        const ConditionsCheck check = CheckConditionsEdits(texts, true, Sampling(), c.regeneration);
        const std::string got = Joined(check);
        // The cursor goes to the refused field; not for the dates or the question.
        EXPECT_EQ(check.firstRefusedEdit, std::string(c.expected).starts_with("Поле") ? c.edit : 0) << c.edit << " " << c.text;
        if (std::string(c.expected).empty()) {
            EXPECT_EQ(got, "") << "Edit" << c.edit << " " << c.text;
        } else {
            EXPECT_NE(got.find(c.expected), std::string::npos) << "Edit" << c.edit << " " << c.text << ": " << got;
        }
    }
}

// Every checked field at its bounds and just beyond them: a plant's real
// value at a bound (a zero drop, a dry gas) must be saved.
TEST(ConditionsChecks, EveryFieldTakesItsBoundsAndRefusesBeyond) {
    struct Group {
        std::vector<int> edits;
        double min, max;
        const char* bounds;
    };
    const Group groups[] = {
        {{26}, 0, 1e7, "от 0 до 10000000."},
        {{2}, 0, 1e6, "от 0 до 1000000."},
        {{24}, 0, 100, "от 0 до 100."},
        {{25}, 0, 1e4, "от 0 до 10000."},
        {{1}, 0, 5000, "от 0 до 5000."},
        {{3, 4, 5, 27}, 0, 100, "от 0 до 100."},
        {{7, 8, 9, 28}, 0, 650, "от 0 до 650."},
        {{11, 12, 13, 29}, -50, 200, "от -50 до 200."},
        {{15, 16, 17, 18, 19, 20, 21, 22, 23}, 0, 100, "от 0 до 100."},
    };
    std::size_t checked = 0;
    for (const Group& g : groups) {
        for (const int edit : g.edits) {
            ++checked;
            for (const auto& [value, refused] : {std::pair{g.min, false}, std::pair{g.max, false},
                                                 std::pair{g.min - 0.5, true}, std::pair{g.max + 0.5, true}}) {
                ConditionsEditTexts texts = SampleTexts();
                texts[static_cast<size_t>(edit)] = FormatFixed(value, 0, 1);
                const std::string got = Joined(CheckConditionsEdits(texts, true, Sampling(), Regeneration()));
                EXPECT_EQ(got.find(g.bounds) != std::string::npos, refused) << "Edit" << edit << " " << value << ": " << got;
            }
        }
    }
    EXPECT_EQ(checked, ConditionsFieldRanges().size());
    // The hidden fourth reactor's fields carry file values only.
    for (const int edit : {6, 10, 14}) EXPECT_EQ(ConditionsFieldRange(edit), nullptr) << edit;
}

TEST(ConditionsChecks, EmptyFormAndDatesOutOfOrderAreRefused) {
    ConditionsEditTexts empty;
    const ConditionsCheck check = CheckConditionsEdits(empty, false, Regeneration(), Sampling());
    // Every saved field of a plant without the fifth reactor, and the dates.
    EXPECT_EQ(check.refusals.size(), 24u);
    EXPECT_EQ(check.firstRefusedEdit, 26);  // the first in the order of the messages
    EXPECT_EQ(check.refusals.front(), "Поле «Объем переработанного сырья, т» не заполнено.");
    EXPECT_EQ(check.refusals.back(), "Дата регенерации катализатора 01.09.09 позже даты отбора 15.03.09.");
    EXPECT_EQ(check.question, "");
}

TEST(ConditionsChecks, SavedTextsShowTheCommaValueWithAPoint) {
    ConditionsEditTexts texts = SampleTexts();
    texts[1] = " 64,5";
    texts[24] = "0,02";
    const ConditionsEditTexts saved = WithPointDecimals(texts);
    EXPECT_DOUBLE_EQ(FormFieldValue(saved[1]), 64.5);
    EXPECT_DOUBLE_EQ(FormFieldValue(saved[24]), 0.02);
}

}  // namespace
}  // namespace rw
