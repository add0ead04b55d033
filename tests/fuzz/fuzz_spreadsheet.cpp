// A historian workbook (.xls) read through the spreadsheet reader: opening,
// the header row, the tag columns and the value row, as the import reads it.
#include "common/errors.h"
#include "conditions/historian_import.h"
#include "conditions/spreadsheet.h"
#include "fuzz_support.h"

using namespace rw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The spreadsheet library opens files by name only.
    const std::string path = fuzz::WriteScratch("historian.xls", fuzz::AsBytes(data, size));
    try {
        std::unique_ptr<SpreadsheetSheet> sheet = OpenWorkbookSheet(path, ',');
        for (int row = 1; row <= 3; ++row) {
            for (int column = 1; column <= 31; ++column) (void)sheet->CellText(row, column);
        }
        (void)ReadHistorianFields(*sheet);
    } catch (const UserError&) {
    }
    return 0;
}
