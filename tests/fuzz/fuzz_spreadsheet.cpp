// A historian workbook (.xls) read through the spreadsheet reader: opening,
// the header row, the tag columns and the value row, as the import reads it.
#include <fcntl.h>
#include <pthread.h>
#include <sanitizer/common_interface_defs.h>

#include <cstdint>

#include "common/errors.h"
#include "conditions/historian_import.h"
#include "conditions/spreadsheet.h"
#include "fuzz_support.h"

using namespace rw;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The reader runs FreeXL in a child process, where the library's own
    // faults on damaged workbooks end only the child and the reader calls the
    // file damaged. What the sanitizers see in there is the library's, not
    // ours: the child reports nothing and leaves no crash file behind, and
    // the fuzzer judges what the reader gives back.
    pthread_atfork(nullptr, nullptr, [] {
        __sanitizer_set_death_callback(nullptr);
        const int devNull = open("/dev/null", O_WRONLY);
        __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<intptr_t>(devNull)));
    });
    return 0;
}

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
