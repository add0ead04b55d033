// The plant settings file l90: the reactor count of line 1, the reactor
// weights of line 2 and the plant constant of line 7.
#include "common/errors.h"
#include "common/files.h"
#include "fuzz_support.h"
#include "shell/plant_selection.h"

using namespace rw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = fuzz::AsBytes(data, size);
    const std::vector<std::string> lines = SplitLines(bytes);
    const int reactors = ReactorCountFromLine(lines.empty() ? std::string_view{} : std::string_view(lines[0]));
    // The count indexes the six reactor slots of a run conditions record.
    fuzz::Check(reactors >= 3 && reactors <= 6);

    const std::string path = fuzz::WriteScratch("l90", bytes);
    try {
        (void)ReadReactorWeights(path);
    } catch (const UserError&) {
    }
    try {
        (void)ReadPlantConstant(path);
    } catch (const UserError&) {
    }
    return 0;
}
