// The conditions file (.dan) read by position, as data selection reads it,
// with and without the fifth-reactor line of plant row 11.
#include "common/errors.h"
#include "conditions/conditions_file.h"
#include "fuzz_support.h"

using namespace rw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = fuzz::AsBytes(data, size);
    for (bool extension : {false, true}) {
        PositionalReadOptions options;
        options.withExtension = extension;
        try {
            PositionalConditions read = ParseConditionsByPosition(bytes, options);
            // Date texts are at most 10 characters of the file (a cp866 byte
            // becomes up to three UTF-8 bytes).
            fuzz::Check(read.conditions.samplingDateText.size() <= 30);
            fuzz::Check(read.conditions.regenerationDateText.size() <= 30);
            // What was read can be saved again in the form layout.
            (void)FormatFormLayout(read.conditions);
        } catch (const UserError&) {
        }
    }
    return 0;
}
