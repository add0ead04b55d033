#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "conditions/spreadsheet.h"

namespace rw {

// Import of a plant-historian export into the conditions form of plant row
// 11 ("Загрузить данные"): each measured quantity sits in a column headed by
// the historian's tag in row 1, its value in row 3.

struct HistorianTag {
    const char* tag;
    int editNumber;  // the conditions form's EditN that receives the value
};

// The 15 tags in the order of import.
const std::array<HistorianTag, 15>& HistorianTags();

// Column of `tag` in row 1 (headers from column 1 rightwards up to the first
// empty cell, at most 30): a header belongs to the tag when it begins with it
// after its Latin letters are turned to upper case; the last such column
// wins. 0 when there is none.
int NumColExcel(const SpreadsheetSheet& sheet, std::string_view tag);

struct ImportedField {
    int editNumber;
    std::string text;
};

// The field texts of the import, in tag order: for each tag with a column,
// the text of its row-3 cell with the first "," replaced by "." (an empty
// cell gives an empty text). Tags without a column are left out, so their
// fields keep their texts.
std::vector<ImportedField> ReadHistorianFields(const SpreadsheetSheet& sheet);

// Opens the workbook (numbers with `decimalSeparator`) and reads the fields
// from sheet `sheet` (from 0). Throws the UserError of OpenWorkbook before
// anything is returned, so no field changes when the workbook cannot be read.
std::vector<ImportedField> ImportHistorianWorkbook(const std::string& path, char decimalSeparator, size_t sheet = 0);

// The sheet of a plant's workbooks that the user chose last, so the next
// import preselects it: one line, the sheet's name in UTF-8, in the file
// "historian_sheet.<plant number>" of the base folder. Empty when there is
// none or it cannot be read (the first sheet is then preselected).
std::string RememberedHistorianSheet(const std::string& baseFolder, const std::string& plantNumber);
// Throws the UserError of WriteFileAtomic when the file cannot be written.
void RememberHistorianSheet(const std::string& baseFolder, const std::string& plantNumber, const std::string& sheet);

// The three questions after the import, each followed by 29 blanks, and the
// message that repeats them while the dates are in the wrong order.
extern const std::string kAskSamplingDate;
extern const std::string kAskRegenerationDate;
extern const std::string kAskSulphur;
extern const std::string kWrongDateOrder;

// The questions end when the sampling date-and-time is later than the
// regeneration date-and-time; equal dates count as the wrong order.
bool DatesInOrder(double samplingDate, double regenerationDate);

// Processed feed, t: feed flow (m3/h) x days since regeneration x 24 h x
// 0.745 t/m3, rounded to one decimal with halves to the even neighbour, as an
// absolute value.
double ProcessedFeed(double feedFlow, double samplingDate, double regenerationDate);

// The text of Edit26 from the text of Edit1: the regional decimal separator
// is set to ".", the feed flow converted with it (strictly: sign, digits,
// ".", exponent), the processed feed written in the shortest general
// notation, and the separator left as SeparatorAfterSave leaves it. 100 m3/h over 10 days gives
// "17880". Throws UserError("'%s' is not a valid floating point value") for
// a feed flow that is no number; the separator then stays ".".
std::string ProcessedFeedText(std::string_view feedFlowText, double samplingDate, double regenerationDate);

}  // namespace rw
