#pragma once
#include <string>
#include <string_view>

namespace rw {

// Date values are days since 30 December 1899 as IEEE doubles (the fraction
// is the time of day), the form stored in every binary file of the program.
double EncodeDate(int year, int month, int day);
void DecodeDate(double value, int& year, int& month, int& day);
bool IsValidDate(int year, int month, int day);

// "dd.mm.yy" / "dd.mm.yyyy" with the given separator.
std::string FormatDateShort(double value, char separator = '.');   // dd.mm.yy
std::string FormatDateLong(double value, char separator = '.');    // dd.mm.yyyy

// Reads a date in the regional short date format (day, month, year with the
// given separator). A two-digit year is taken within the hundred years that
// begin 50 years before `currentYear`. Throws UserError("'%s' is not a valid
// date") when the text is not a date.
double ParseShortDate(std::string_view text, char separator, int currentYear);
bool TryParseShortDate(std::string_view text, char separator, int currentYear, double& value);

// A date as an engineer types or pastes it into a date field: day, month and
// year separated by ".", "," "/" or "-" ("20.11.26", "20,11,2026",
// "20-11-26"), the six or eight digits without separators ("201126",
// "20112026"), or the year first ("2026-11-20"). Blanks around the text are
// ignored. Day and month have one or two digits, the year two or four; a
// two-digit year is taken as ParseShortDate takes it. Returns false for any
// other text and for a day the calendar does not have ("31.02.09").
bool ParseTypedDate(std::string_view text, int currentYear, double& value);

// The refusal of a date field's text, naming the field:
// «Поле «Дата отбора»: «32.11.26» не дата (...)».
std::string NotADateMessage(std::string_view caption, std::string_view text);

// The current calendar year and date value of the machine's clock.
int CurrentYear();
double Today();

}  // namespace rw
