// A component list loaded as it is (.SIR/.KAT/.BOK): reading, tidying
// (tabs, short lines, the 5-character running number) and the running sum.
#include "common/errors.h"
#include "common/files.h"
#include "composition/report_import.h"
#include "fuzz_support.h"

using namespace rw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = fuzz::AsBytes(data, size);
    // The tidying on its own, in memory.
    std::vector<std::string> lines = SplitLines(bytes);
    const size_t before = lines.size();
    TidyListLines(lines);
    fuzz::Check(lines.size() <= before);
    try {
        (void)ListSum(lines);
    } catch (const UserError&) {
    }
    // The whole action on a file.
    const std::string path = fuzz::WriteScratch("list.SIR", bytes);
    try {
        OpenedList list = OpenComponentList(path, 1);
        fuzz::Check(list.lines == lines);
        fuzz::Check(list.sumValid == list.sumError.empty());
    } catch (const UserError&) {
    }
    return 0;
}
