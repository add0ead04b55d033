// Ravionn.ini, the parameter choice of the summary table (72 bytes: a 16-bit
// shown flag and a 16-bit row position for each of the 18 parameters).
#include "common/errors.h"
#include "fuzz_support.h"
#include "results/summary_table.h"

using namespace rw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = fuzz::AsBytes(data, size);
    const ParameterSelection selection = ParameterSelection::Decode(bytes);
    // Whatever the file held, the selection is a set of parameters 1-18 in
    // rows 1..count without gaps, and it is stored and read back unchanged.
    fuzz::Check(selection.Count() <= kParameterCount);
    for (int row = 1; row <= selection.Count(); ++row) {
        const int k = selection.Rows()[static_cast<size_t>(row - 1)];
        fuzz::Check(k >= 1 && k <= kParameterCount);
        fuzz::Check(selection.IsShown(k) && selection.Position(k) == row);
    }
    const std::string encoded = selection.Encode();
    fuzz::Check(encoded.size() == ParameterSelection::kFileSize);
    fuzz::Check(ParameterSelection::Decode(encoded) == selection);
    // Through the file, as the window reads it when it is created.
    const std::string path = fuzz::WriteScratch("Ravionn.ini", bytes);
    fuzz::Check(ParameterSelection::Load(path) == selection);
    return 0;
}
