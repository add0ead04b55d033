#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace rw {

// The cell texts of one workbook sheet, as the spreadsheet application would
// show them: text cells as they are (UTF-8), numbers in the shortest general
// notation with the regional decimal separator, empty cells empty.
class SpreadsheetSheet {
public:
    virtual ~SpreadsheetSheet() = default;
    // Row and column count from 1. A cell outside the sheet is empty.
    virtual std::string CellText(int row, int column) const = 0;
};

// A workbook of one or more sheets, each read when it is asked for.
class Workbook {
public:
    virtual ~Workbook() = default;
    // The names of the sheets in the workbook's order; never empty.
    virtual const std::vector<std::string>& SheetNames() const = 0;
    // The cells of sheet `index` (from 0). Throws UserError with the
    // workbook's open message when the sheet cannot be read.
    virtual std::unique_ptr<SpreadsheetSheet> OpenSheet(size_t index) const = 0;
};

// Opens a historian workbook. Numbers are written with `decimalSeparator`,
// dates as dd.mm.yyyy (with the time of day when it is not midnight).
// - ".csv" (and ".txt") files: one sheet of separated values (see csv_sheet.h);
// - a zip container (".xlsx", whatever its extension): the Office Open XML
//   workbook (see xlsx_workbook.h);
// - anything else: an .xls workbook (Excel 97-2003 BIFF, and the older
//   BIFF 2 to 5).
// Throws UserError("Не удалось открыть книгу Excel «<path>»: <reason>") (for
// CSV files "Не удалось открыть файл CSV «<path>»: <reason>") when the file
// is missing, is no workbook of its kind, is damaged, is password-protected
// or has no sheet.
std::unique_ptr<Workbook> OpenWorkbook(const std::string& path, char decimalSeparator);

// The first sheet of OpenWorkbook, with its failures.
std::unique_ptr<SpreadsheetSheet> OpenWorkbookSheet(const std::string& path, char decimalSeparator);

// The index of `name` among the sheet names, or 0 (the first sheet) when the
// name is empty or the workbook has no such sheet.
size_t SheetIndexOf(const std::vector<std::string>& names, const std::string& name);

// A sheet held in memory, rows of cell texts from row 1 and column 1; for
// callers that get their cells elsewhere, and for tests.
class MemorySheet : public SpreadsheetSheet {
public:
    explicit MemorySheet(std::vector<std::vector<std::string>> rows) : rows_(std::move(rows)) {}
    std::string CellText(int row, int column) const override;

private:
    std::vector<std::vector<std::string>> rows_;
};

// The non-empty cells of a sheet read from a file, by row and column from 1.
// The readers refuse a sheet with more cells than kMaxCells rather than let
// a hostile file take the memory of the program.
class CellMapSheet : public SpreadsheetSheet {
public:
    static constexpr size_t kMaxCells = 2'000'000;
    std::string CellText(int row, int column) const override;
    // False when the sheet is full; an empty text is not stored.
    bool Set(int row, int column, std::string text);
    size_t Size() const { return cells_.size(); }

private:
    std::map<std::pair<int, int>, std::string> cells_;
};

// The workbook message "Не удалось открыть книгу Excel «<path>»: <reason>".
[[noreturn]] void WorkbookFailure(const std::string& path, const std::string& reason);

// A serial date-and-time (days since 30 December 1899) as a cell shows it:
// "dd.mm.yyyy", followed by " hh:mm:ss" when it has a time of day.
std::string SerialDateText(double serial);

}  // namespace rw
