#pragma once
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

// Opens an .xls workbook (Excel 97-2003 BIFF, and the older BIFF 2 to 5) and
// selects its first sheet. Numbers are written with `decimalSeparator`.
// Throws UserError("Не удалось открыть книгу Excel «<path>»: <reason>") when
// the file is missing, is no .xls workbook, is password-protected or has no
// sheet. Workbooks of other formats (.xlsx, .ods, .csv) are not read.
std::unique_ptr<SpreadsheetSheet> OpenWorkbookSheet(const std::string& path, char decimalSeparator);

// A sheet held in memory, rows of cell texts from row 1 and column 1; for
// callers that get their cells elsewhere, and for tests.
class MemorySheet : public SpreadsheetSheet {
public:
    explicit MemorySheet(std::vector<std::vector<std::string>> rows) : rows_(std::move(rows)) {}
    std::string CellText(int row, int column) const override;

private:
    std::vector<std::vector<std::string>> rows_;
};

}  // namespace rw
