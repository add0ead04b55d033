// The conditions file read by the model runs into the run conditions record,
// for every reactor count a settings file can give; and the run layout
// written back from what was read.
#include "common/errors.h"
#include "conditions/conditions_file.h"
#include "fuzz_support.h"

using namespace rw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    // The first byte picks the reactor count (0 and above 6 included: both
    // must be handled, not trusted).
    const int reactors = data[0] % 9;
    const std::string_view bytes = fuzz::AsBytes(data + 1, size - 1);
    RunConditions record{};
    try {
        (void)ParseRunConditions(bytes, reactors, record);
        (void)FormatRunLayout(record, reactors);
    } catch (const UserError&) {
    }
    return 0;
}
