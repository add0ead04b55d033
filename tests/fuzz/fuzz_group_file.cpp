// A group file of the component database (ipar.4, the first file of the
// search) and the ignore list nlo: the in-memory database must give the same
// answers and the same failures as the search that reads the files one by
// one, for every name of the file and a few others.
#include <filesystem>

#include "common/errors.h"
#include "common/files.h"
#include "composition/component_database.h"
#include "component_doubles.h"
#include "fuzz_support.h"

using namespace rw;

namespace {

struct Outcome {
    LookupResult result;
    std::string error;
    bool operator==(const Outcome&) const = default;
};

template <class F>
Outcome Try(F&& f) {
    Outcome o;
    try {
        o.result = f();
    } catch (const UserError& e) {
        o.error = e.what();
    }
    return o;
}

// Every group file of the search, empty, so the search reaches the end of
// the sequence; the fuzzed bytes replace the first one.
const std::string& Basa() {
    static const std::string folder = [] {
        for (const GroupFileRef& ref : GroupFileSequence()) {
            fuzz::WriteScratch("Basa/" + GroupFileName(ref.group, std::to_string(ref.carbon)), "");
        }
        return (fuzz::ScratchFolder() / "Basa").string();
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = fuzz::AsBytes(data, size);
    const std::string& basa = Basa();
    // The first byte says how much of the rest goes into nlo.
    const size_t nloSize = size == 0 ? 0 : std::min<size_t>(data[0], size - 1);
    const std::string_view group = size == 0 ? bytes : bytes.substr(1, size - 1 - nloSize);
    fuzz::WriteScratch("Basa/ipar.4", group);
    fuzz::WriteScratch("Basa/nlo", bytes.substr(size - nloSize));
    // The same lines read as a candidate file.
    fuzz::WriteScratch("Basa/ipars.4", group);

    ComponentDatabase db(basa);
    std::vector<std::string> names = {"Ethane", "n-Heptane", "Unknown component", ""};
    const std::vector<std::string> lines = SplitLines(group);
    for (size_t i = 0; i < lines.size() && i < 16; ++i) {
        try {
            names.push_back(ParseGroupLine(lines[i]).name);
        } catch (const UserError&) {
        }
        names.push_back(lines[i]);
    }
    for (const std::string& name : names) {
        const Outcome inMemory = Try([&] { return db.LookUp(name); });
        const Outcome byFiles = Try([&] { return LookUpComponentByFiles(basa, name); });
        fuzz::Check(inMemory == byFiles);
    }
    try {
        (void)db.ReadCandidates(2, "4");
    } catch (const UserError&) {
    }
    return 0;
}
