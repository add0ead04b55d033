#pragma once
#include <string>
#include <string_view>

namespace rw {

// Fixed(w,d): fixed point with d decimals, '-' when negative, right-aligned with
// blanks to w characters; a value that needs more characters takes them.
// Always '.' as decimal point (the notation of the text files).
std::string FormatFixed(double value, int width, int decimals);

// E23: sign position (blank or '-'), one digit, '.', 14 digits, 'E', exponent
// sign and 4 exponent digits: 5.5 -> " 5.50000000000000E+0000".
std::string FormatE23(double value);

// General format with the given number of significant digits (15 by
// default), trailing zeros dropped; scientific ("1.5E20", "1E-7") when the
// exponent is below -5 or not below the precision.
std::string FormatGeneral(double value, int precision = 15, char decimalSeparator = '.');

// Fixed notation with a precision and a number of decimals: the value is
// rounded to `precision` significant digits, then written with `decimals`
// decimals; when it has more integer digits than `precision`, the general
// scientific form is used instead.
std::string FormatFixedPrecision(double value, int precision, int decimals, char decimalSeparator = '.');

// "#0.###": at most three decimals, trailing zeros dropped, at least one
// integer digit.
std::string FormatUpTo3Decimals(double value, char decimalSeparator = '.');

// Strict reading: optional blanks around, optional sign, digits with at most
// one '.', optional exponent. No other characters. Empty text fails.
bool ParseStrictNumber(std::string_view text, double& value, char decimalSeparator = '.');

// The plain conversion of a text that may carry other characters: the longest
// prefix (after leading blanks) that is a number; 0 when there is none.
double LongestPrefixNumber(std::string_view text, char decimalSeparator = '.');

// Length of the longest prefix of `text` that is a valid number (0 if none).
size_t NumberPrefixLength(std::string_view text, char decimalSeparator = '.');

// Rounds half to even at the given number of decimals.
double RoundHalfEven(double value, int decimals);

}  // namespace rw
