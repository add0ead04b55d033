#include <gtest/gtest.h>

#include <cmath>

#include "common/number_format.h"

namespace rw {
namespace {

TEST(FixedNotation, RightAlignsAndGrowsWhenTheValueNeedsMore) {
    EXPECT_EQ(FormatFixed(9.5, 6, 2), "  9.50");
    EXPECT_EQ(FormatFixed(420, 6, 2), "420.00");
    EXPECT_EQ(FormatFixed(78.4, 6, 5), "78.40000");
    EXPECT_EQ(FormatFixed(1234.5, 6, 2), "1234.50");
    EXPECT_EQ(FormatFixed(-3.25, 6, 2), " -3.25");
    EXPECT_EQ(FormatFixed(100, 0, 3), "100.000");
    // A value that rounds to zero is written without a minus sign.
    EXPECT_EQ(FormatFixed(-0.001, 6, 2), "  0.00");
}

TEST(E23Notation, HasSignPositionFourteenDigitsAndFourDigitExponent) {
    EXPECT_EQ(FormatE23(5.5), " 5.50000000000000E+0000");
    EXPECT_EQ(FormatE23(-5.5), "-5.50000000000000E+0000");
    EXPECT_EQ(FormatE23(0.025), " 2.50000000000000E-0002");
    EXPECT_EQ(FormatE23(482.0), " 4.82000000000000E+0002");
    EXPECT_EQ(FormatE23(0.0), " 0.00000000000000E+0000");
    EXPECT_EQ(FormatE23(5.5).size(), 23u);
}

TEST(GeneralFormat, DropsTrailingZerosAndSwitchesToScientific) {
    EXPECT_EQ(FormatGeneral(1.5), "1.5");
    EXPECT_EQ(FormatGeneral(100), "100");
    EXPECT_EQ(FormatGeneral(-0.25), "-0.25");
    EXPECT_EQ(FormatGeneral(0.1 + 0.2), "0.3");
    EXPECT_EQ(FormatGeneral(1e-7), "1E-7");
    EXPECT_EQ(FormatGeneral(1.5e20), "1.5E20");
    EXPECT_EQ(FormatGeneral(0.0001), "0.0001");
    EXPECT_EQ(FormatGeneral(12.5, 15, ','), "12,5");
    EXPECT_EQ(FormatGeneral(0.81234, 5), "0.81234");
    EXPECT_EQ(FormatGeneral(2.567891, 5), "2.5679");
    // The switches to scientific: exponent -5 and exponent 15 (the precision).
    EXPECT_EQ(FormatGeneral(0.00001), "0.00001");
    EXPECT_EQ(FormatGeneral(0.000001), "1E-6");
    EXPECT_EQ(FormatGeneral(123456789012345.0), "123456789012345");
    EXPECT_EQ(FormatGeneral(1e15), "1E15");
    EXPECT_EQ(FormatGeneral(-2.5e-7, 15, ','), "-2,5E-7");
    EXPECT_EQ(FormatGeneral(12345, 5), "12345");
    EXPECT_EQ(FormatGeneral(123456, 5), "1.2346E5");
}

TEST(FixedWithPrecision, RoundsToSignificantDigitsFirst) {
    EXPECT_EQ(FormatFixedPrecision(99.87654, 6, 3), "99.877");
    EXPECT_EQ(FormatFixedPrecision(123.4567, 5, 3), "123.460");
    EXPECT_EQ(FormatFixedPrecision(1.0, 5, 3, ','), "1,000");
    EXPECT_EQ(FormatFixedPrecision(0, 5, 3), "0.000");
    // As many integer digits as the precision stay fixed; one more does not.
    EXPECT_EQ(FormatFixedPrecision(12345.4, 5, 3), "12345.000");
    EXPECT_EQ(FormatFixedPrecision(123454.0, 5, 3), "1.2345E5");
}

TEST(UpTo3Decimals, DropsTrailingZeros) {
    EXPECT_EQ(FormatUpTo3Decimals(1.5), "1.5");
    EXPECT_EQ(FormatUpTo3Decimals(2.0), "2");
    EXPECT_EQ(FormatUpTo3Decimals(0.12345), "0.123");
    EXPECT_EQ(FormatUpTo3Decimals(0.0004), "0");
    EXPECT_EQ(FormatUpTo3Decimals(-0.0004), "0");
    EXPECT_EQ(FormatUpTo3Decimals(-1.25, ','), "-1,25");
    EXPECT_EQ(FormatUpTo3Decimals(10), "10");
}

TEST(StrictNumber, AcceptsOnlyCompleteNumbers) {
    double v = 0;
    EXPECT_TRUE(ParseStrictNumber("12.5", v));
    EXPECT_DOUBLE_EQ(v, 12.5);
    EXPECT_TRUE(ParseStrictNumber(" -1e2 ", v));
    EXPECT_DOUBLE_EQ(v, -100);
    EXPECT_TRUE(ParseStrictNumber(".5", v));
    EXPECT_TRUE(ParseStrictNumber("5.", v));
    EXPECT_FALSE(ParseStrictNumber("", v));
    EXPECT_FALSE(ParseStrictNumber("-", v));
    EXPECT_FALSE(ParseStrictNumber("1,5", v));
    EXPECT_FALSE(ParseStrictNumber("1.2.3", v));
    EXPECT_FALSE(ParseStrictNumber("1e", v));
    EXPECT_FALSE(ParseStrictNumber(".", v));
    EXPECT_FALSE(ParseStrictNumber("   ", v));
    EXPECT_FALSE(ParseStrictNumber("1e999", v));
    EXPECT_TRUE(ParseStrictNumber("+.5", v));
    EXPECT_DOUBLE_EQ(v, 0.5);
    EXPECT_TRUE(ParseStrictNumber("2,5E+1", v, ','));
    EXPECT_DOUBLE_EQ(v, 25);
    EXPECT_FALSE(ParseStrictNumber("2.5", v, ','));
}

TEST(LongestPrefix, TakesTheNumberBeforeOtherCharacters) {
    EXPECT_DOUBLE_EQ(LongestPrefixNumber("12.5abc"), 12.5);
    EXPECT_DOUBLE_EQ(LongestPrefixNumber("  7,5"), 7);
    EXPECT_DOUBLE_EQ(LongestPrefixNumber("abc"), 0);
    EXPECT_DOUBLE_EQ(LongestPrefixNumber("1e5x"), 1e5);
    EXPECT_DOUBLE_EQ(LongestPrefixNumber("1ex"), 1);
    EXPECT_DOUBLE_EQ(LongestPrefixNumber("-"), 0);
    EXPECT_DOUBLE_EQ(LongestPrefixNumber("+5 т"), 5);
    EXPECT_DOUBLE_EQ(LongestPrefixNumber("-.5e-1x"), -0.05);
    EXPECT_DOUBLE_EQ(LongestPrefixNumber("1e+"), 1);
    EXPECT_DOUBLE_EQ(LongestPrefixNumber("5,5", ','), 5.5);
    EXPECT_DOUBLE_EQ(LongestPrefixNumber("1e999"), 0);
    EXPECT_EQ(NumberPrefixLength(".e5"), 0u);
    EXPECT_EQ(NumberPrefixLength("12."), 3u);
}

TEST(RoundHalfEven, RoundsTiesToEven) {
    EXPECT_DOUBLE_EQ(RoundHalfEven(2.5, 0), 2);
    EXPECT_DOUBLE_EQ(RoundHalfEven(3.5, 0), 4);
    EXPECT_DOUBLE_EQ(RoundHalfEven(17880.0, 1), 17880.0);
    EXPECT_DOUBLE_EQ(RoundHalfEven(-2.5, 0), -2);
    EXPECT_DOUBLE_EQ(RoundHalfEven(0.25, 1), 0.2);
}

}  // namespace
}  // namespace rw

namespace rw {
namespace {
TEST(FixedWithPrecision, SmallAndNegativeValues) {
    EXPECT_EQ(FormatFixedPrecision(0.0004, 5, 3), "0.000");
    EXPECT_EQ(FormatFixedPrecision(0.0126, 5, 3), "0.013");
    EXPECT_EQ(FormatFixedPrecision(-2.5, 5, 3), "-2.500");
    EXPECT_EQ(FormatFixedPrecision(1234567.0, 5, 3), "1.2346E6");
    EXPECT_EQ(FormatFixedPrecision(0.5, 5, 0), "1");
    EXPECT_EQ(FormatFixedPrecision(0.4, 5, 0), "0");
    EXPECT_EQ(FormatFixedPrecision(0.0005, 5, 3), "0.001");
    EXPECT_EQ(FormatFixedPrecision(std::nextafter(0.05, 0.0), 5, 1), "0.0");  // 0.049999999999999996: all 17 digits decide
    EXPECT_EQ(FormatFixedPrecision(-0.0004, 5, 3), "0.000");
    EXPECT_EQ(FormatFixedPrecision(0.00004, 5, 3), "0.000");
}
}  // namespace
}  // namespace rw
