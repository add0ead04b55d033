// A historian export (.csv) read as the import reads it: separator, quotes,
// encoding and numbers, then the header row, the tag columns and the value row.
#include <cstdint>

#include "common/errors.h"
#include "conditions/historian_import.h"
#include "conditions/spreadsheet.h"
#include "fuzz_support.h"

using namespace rw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::WriteScratch("historian.csv", fuzz::AsBytes(data, size));
    try {
        const std::unique_ptr<Workbook> book = OpenWorkbook(path, ',');
        fuzz::Check(book->SheetNames().size() == 1);
        const auto sheet = book->OpenSheet(0);
        for (int row = 1; row <= 3; ++row) {
            for (int column = 1; column <= 31; ++column) (void)sheet->CellText(row, column);
        }
        (void)ReadHistorianFields(*sheet);
    } catch (const UserError&) {
    }
    return 0;
}
