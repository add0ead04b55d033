// The results file (.rez) of the model and the temperature drop of its
// companion conditions file (.dan).
#include "common/errors.h"
#include "fuzz_support.h"
#include "results/results_file.h"

using namespace rw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = fuzz::AsBytes(data, size);
    try {
        const ResultsRecord record = ParseResultsText(bytes);
        fuzz::Check(record.sampleDateText.length <= 10);
        fuzz::Check(DecodeResultsRecord(EncodeResultsRecord(record).data()) == record ||
                    record != record);  // NaN fields compare unequal to themselves
    } catch (const UserError&) {
    }
    // Through the file reader, the last part of the input (its length given
    // by the first byte) standing as the companion conditions file.
    if (size < 1) return 0;
    const size_t companion = std::min<size_t>(data[0], size - 1);
    const std::string rez = fuzz::WriteScratch("01-09-09.rez", bytes.substr(1, size - 1 - companion));
    (void)fuzz::WriteScratch("01-09-09.dan", bytes.substr(size - companion));
    try {
        (void)ReadResultsFile(rez);
    } catch (const UserError&) {
    }
    return 0;
}
