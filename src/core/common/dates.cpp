#include "common/dates.h"

#include "common/errors.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace rw {
namespace {

// Days from 1970-01-01 of a civil date (proleptic Gregorian).
long DaysFromCivil(int y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

void CivilFromDays(long z, int& y, int& m, int& d) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long yy = static_cast<long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yy + (m <= 2));
}

const long kEpochOffset = DaysFromCivil(1899, 12, 30);

}  // namespace

bool IsValidDate(int y, int m, int d) {
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1) return false;
    static const int dim[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int max = dim[m - 1];
    if (m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) max = 29;
    return d <= max;
}

double EncodeDate(int year, int month, int day) {
    return static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpochOffset);
}

void DecodeDate(double value, int& year, int& month, int& day) {
    // A value outside 01.01.0001 .. 31.12.9999 (a damaged index or history
    // file, NaN included) has no calendar date and decodes as 0.0.0, like a
    // date before the first year; converting it to a day count would be
    // undefined.
    constexpr double kFirstDay = -693593.0;  // 01.01.0001
    constexpr double kLastDay = 2958465.0;   // 31.12.9999
    if (!(value >= kFirstDay && value < kLastDay + 1)) {
        year = month = day = 0;
        return;
    }
    long days = static_cast<long>(std::floor(value));
    CivilFromDays(days + kEpochOffset, year, month, day);
}

std::string FormatDateShort(double value, char sep) {
    int y, m, d;
    DecodeDate(value, y, m, d);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d%c%02d%c%02d", d, sep, m, sep, ((y % 100) + 100) % 100);
    return buf;
}

std::string FormatDateLong(double value, char sep) {
    int y, m, d;
    DecodeDate(value, y, m, d);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d%c%02d%c%04d", d, sep, m, sep, y);
    return buf;
}

bool TryParseShortDate(std::string_view text, char sep, int currentYear, double& value) {
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    std::string_view t = text.substr(b, e - b);
    int parts[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int k = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        char c = t[i];
        if (c >= '0' && c <= '9') {
            if (digits[k] >= 4) return false;
            parts[k] = parts[k] * 10 + (c - '0');
            ++digits[k];
        } else if (c == sep && k < 2 && digits[k] > 0) {
            ++k;
        } else {
            return false;
        }
    }
    if (k != 2 || digits[2] == 0) return false;
    int d = parts[0], m = parts[1], y = parts[2];
    if (digits[2] <= 2) {
        int start = currentYear - 50;
        int century = start - ((start % 100) + 100) % 100;
        y += century;
        if (y < start) y += 100;
    }
    if (!IsValidDate(y, m, d)) return false;
    value = EncodeDate(y, m, d);
    return true;
}

namespace {

// A two-digit year within the hundred years that begin 50 years before
// `currentYear` (the rule of the regional short date format).
int FullYear(int year, int yearDigits, int currentYear) {
    if (yearDigits > 2) return year;
    const int start = currentYear - 50;
    const int century = start - ((start % 100) + 100) % 100;
    year += century;
    if (year < start) year += 100;
    return year;
}

bool IsDateSeparator(char c) { return c == '.' || c == ',' || c == '/' || c == '-'; }

}  // namespace

bool ParseTypedDate(std::string_view text, int currentYear, double& value) {
    size_t b = 0, e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
    const std::string_view t = text.substr(b, e - b);

    // The groups of digits and what separates them.
    int parts[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int groups = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (c >= '0' && c <= '9') {
            if (groups == 0) groups = 1;
            if (digits[groups - 1] >= 8) return false;
            parts[groups - 1] = parts[groups - 1] * 10 + (c - '0');
            ++digits[groups - 1];
        } else if (IsDateSeparator(c) && groups > 0 && groups < 3 && digits[groups - 1] > 0 && i + 1 < t.size() &&
                   t[i + 1] >= '0' && t[i + 1] <= '9') {
            ++groups;
        } else {
            return false;
        }
    }

    int d = 0, m = 0, y = 0, yearDigits = 0;
    if (groups == 1) {
        // Digits only: ddmmyy or ddmmyyyy.
        if (digits[0] != 6 && digits[0] != 8) return false;
        const int n = parts[0];
        if (digits[0] == 6) {
            d = n / 10000, m = n / 100 % 100, y = n % 100, yearDigits = 2;
        } else {
            d = n / 1000000, m = n / 10000 % 100, y = n % 10000, yearDigits = 4;
        }
    } else if (groups == 3) {
        if (digits[0] == 4) {
            // The year first: yyyy-mm-dd.
            if (digits[1] > 2 || digits[2] > 2) return false;
            y = parts[0], m = parts[1], d = parts[2], yearDigits = 4;
        } else {
            if (digits[0] > 2 || digits[1] > 2 || (digits[2] != 2 && digits[2] != 4)) return false;
            d = parts[0], m = parts[1], y = parts[2], yearDigits = digits[2];
        }
    } else {
        return false;
    }
    y = FullYear(y, yearDigits, currentYear);
    if (!IsValidDate(y, m, d)) return false;
    value = EncodeDate(y, m, d);
    return true;
}

std::string NotADateMessage(std::string_view caption, std::string_view text) {
    return "Поле «" + std::string(caption) + "»: «" + std::string(text) +
           "» не дата (день, месяц и год, например 20.11.26, 20.11.2026, 201126 или 2026-11-20).";
}

double ParseShortDate(std::string_view text, char sep, int currentYear) {
    double v = 0;
    if (!TryParseShortDate(text, sep, currentYear, v)) {
        throw UserError("'" + std::string(text) + "' is not a valid date");
    }
    return v;
}

int CurrentYear() {
    int y, m, d;
    DecodeDate(Today(), y, m, d);
    return y;
}

double Today() {
    auto now = std::chrono::system_clock::now();
    auto days = std::chrono::duration_cast<std::chrono::hours>(now.time_since_epoch()).count() / 24;
    return static_cast<double>(days - kEpochOffset);
}

}  // namespace rw
