#include "common/number_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace rw {
namespace {

std::string WithSeparator(std::string s, char sep) {
    if (sep != '.') {
        for (char& c : s) {
            if (c == '.') c = sep;
        }
    }
    return s;
}

// Significant digits and decimal exponent of |value| rounded to `precision` digits.
void Decimal(double value, int precision, std::string& digits, int& exponent) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", precision - 1, std::fabs(value));
    // buf: d.ddddde+XX
    digits.clear();
    const char* p = buf;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') digits.push_back(*p);
    }
    exponent = std::atoi(p + 1);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
}

}  // namespace

std::string FormatFixed(double value, int width, int decimals) {
    char buf[512];
    std::snprintf(buf, sizeof buf, "%*.*f", width, decimals, value);
    std::string s(buf);
    if (s.find("-0") != std::string::npos && std::strtod(buf, nullptr) == 0.0) {
        // No minus sign for a value that rounds to zero.
        auto pos = s.find('-');
        s.erase(pos, 1);
        if (static_cast<int>(s.size()) < width) s.insert(0, " ");
    }
    return s;
}

std::string FormatE23(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14E", std::fabs(value));
    std::string s(buf);
    auto e = s.find('E');
    std::string mant = s.substr(0, e);
    char sign = s[e + 1];
    int ex = std::atoi(s.c_str() + e + 2);
    char exbuf[16];
    std::snprintf(exbuf, sizeof exbuf, "%04d", ex);
    return std::string(value < 0 ? "-" : " ") + mant + "E" + sign + exbuf;
}

std::string FormatGeneral(double value, int precision, char decimalSeparator) {
    if (value == 0.0 || std::isnan(value)) return std::isnan(value) ? "NAN" : "0";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    std::string digits;
    int exp10 = 0;
    Decimal(value, precision, digits, exp10);
    std::string out = value < 0 ? "-" : "";
    if (exp10 >= precision || exp10 < -5) {
        out += digits.substr(0, 1);
        if (digits.size() > 1) out += std::string(1, decimalSeparator) + digits.substr(1);
        out += "E";
        if (exp10 < 0) out += "-";
        out += std::to_string(std::abs(exp10));
        return out;
    }
    if (exp10 < 0) {
        out += "0";
        out += decimalSeparator;
        out += std::string(static_cast<size_t>(-exp10 - 1), '0');
        out += digits;
        return out;
    }
    size_t intLen = static_cast<size_t>(exp10 + 1);
    if (digits.size() <= intLen) {
        out += digits + std::string(intLen - digits.size(), '0');
    } else {
        out += digits.substr(0, intLen);
        out += decimalSeparator;
        out += digits.substr(intLen);
    }
    return out;
}

std::string FormatFixedPrecision(double value, int precision, int decimals, char decimalSeparator) {
    if (std::isnan(value) || std::isinf(value)) return FormatGeneral(value, precision, decimalSeparator);
    std::string digits;
    int exp10 = 0;
    if (value != 0.0) {
        Decimal(value, precision, digits, exp10);
        if (exp10 >= precision) return FormatGeneral(value, precision, decimalSeparator);
        // One decimal rounding at whichever comes first: the precision or the decimals.
        int keep = std::min(precision, exp10 + 1 + decimals);
        if (keep < 0) {
            digits.clear();
        } else if (keep == 0) {
            // Rounds either to zero or to one unit of the last decimal place.
            Decimal(value, 17, digits, exp10);
            if (digits[0] >= '5') {
                digits = "1";
                exp10 = -decimals;
            } else {
                digits.clear();
            }
        } else {
            Decimal(value, keep, digits, exp10);
        }
    }
    // Place the digits: integer part, then `decimals` decimals (zeros where the digits end).
    std::string intPart, fracPart;
    for (int pos = exp10; pos >= 0; --pos) {
        size_t idx = static_cast<size_t>(exp10 - pos);
        intPart += idx < digits.size() ? digits[idx] : '0';
    }
    if (intPart.empty() || digits.empty()) intPart = "0";
    for (int k = 1; k <= decimals; ++k) {
        long idx = static_cast<long>(exp10) + k;
        fracPart += (!digits.empty() && idx >= 0 && static_cast<size_t>(idx) < digits.size()) ? digits[static_cast<size_t>(idx)] : '0';
    }
    bool zero = digits.empty() || digits.find_first_not_of('0') == std::string::npos;
    std::string out = (value < 0 && !zero) ? "-" : "";
    out += intPart;
    if (decimals > 0) out += decimalSeparator + fracPart;
    return out;
}

std::string FormatUpTo3Decimals(double value, char decimalSeparator) {
    std::string s = FormatFixed(value, 0, 3);
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    if (s == "-0") s = "0";
    return WithSeparator(s, decimalSeparator);
}

size_t NumberPrefixLength(std::string_view t, char sep) {
    size_t i = 0, n = t.size();
    if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
    size_t intDigits = 0;
    while (i < n && t[i] >= '0' && t[i] <= '9') { ++i; ++intDigits; }
    size_t fracDigits = 0;
    size_t end = intDigits ? i : 0;
    if (i < n && t[i] == sep) {
        ++i;
        while (i < n && t[i] >= '0' && t[i] <= '9') { ++i; ++fracDigits; }
        if (intDigits + fracDigits > 0) end = i;
    }
    if (intDigits + fracDigits == 0) return 0;
    if (i < n && (t[i] == 'e' || t[i] == 'E')) {
        size_t j = i + 1;
        if (j < n && (t[j] == '+' || t[j] == '-')) ++j;
        size_t expDigits = 0;
        while (j < n && t[j] >= '0' && t[j] <= '9') { ++j; ++expDigits; }
        if (expDigits) end = j;
    }
    return end;
}

namespace {
double ConvertPrefix(std::string_view t, size_t len, char sep) {
    std::string s(t.substr(0, len));
    for (char& c : s) {
        if (c == sep) c = '.';
    }
    return std::strtod(s.c_str(), nullptr);
}
}  // namespace

bool ParseStrictNumber(std::string_view text, double& value, char sep) {
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    std::string_view t = text.substr(b, e - b);
    if (t.empty()) return false;
    size_t len = NumberPrefixLength(t, sep);
    if (len != t.size()) return false;
    value = ConvertPrefix(t, len, sep);
    return std::isfinite(value);
}

double LongestPrefixNumber(std::string_view text, char sep) {
    size_t b = 0;
    while (b < text.size() && text[b] == ' ') ++b;
    std::string_view t = text.substr(b);
    size_t len = NumberPrefixLength(t, sep);
    if (len == 0) return 0.0;
    double v = ConvertPrefix(t, len, sep);
    return std::isfinite(v) ? v : 0.0;
}

double RoundHalfEven(double value, int decimals) {
    double scale = std::pow(10.0, decimals);
    double x = value * scale;
    double r = std::nearbyint(x);  // default rounding mode: to nearest, ties to even
    return r / scale;
}

}  // namespace rw
