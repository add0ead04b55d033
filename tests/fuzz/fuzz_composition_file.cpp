// The composition file (.sk) as data selection and the composition editor
// read it: value texts after column 17, tail texts after column 16, and the
// texts read as numbers.
#include "common/errors.h"
#include "composition/composition_file.h"
#include "fuzz_support.h"

using namespace rw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::WriteScratch("sample.sk", fuzz::AsBytes(data, size));
    try {
        const CompositionTexts texts = ReadCompositionFile(path);
        fuzz::Check(texts.tailCount >= 0);
        CompositionRecord record;
        try {
            record = CompositionFromTexts(texts);
        } catch (const UserError&) {
            return 0;
        }
        // Whatever numbers were read, both writers can format them (the
        // editor saves what it opened).
        (void)ComposeCompositionFile(record, CompositionStyle::Formation);
        (void)ComposeCompositionFile(record, CompositionStyle::Editor);
    } catch (const UserError&) {
    }
    return 0;
}
