#pragma once

namespace rw {

// The regional settings every conversion of window texts follows. The
// decimal separator starts as the user's locale gives it and is switched by
// the conditions form and the spreadsheet import; the date format is
// day.month.year with '.' (short form dd.mm.yyyy), the convention of the
// plant data.
struct RegionalSettings {
    char decimalSeparator = '.';
    char dateSeparator = '.';
};

RegionalSettings& Regional();

// The working configuration shows every number with '.' from start to exit,
// as the files hold them; the described one shows the user's separator at
// first and ',' after a save of row 11 or a historian import.
void UseScreenSeparator();
// What a save of row 11 and a historian import leave behind: ',' in the
// described configuration, '.' in the working one.
void SeparatorAfterSave();

// The decimal point of the user's locale (LC_ALL / LC_NUMERIC / LANG); '.'
// when the locale cannot be read.
char SystemDecimalSeparator();

}  // namespace rw
