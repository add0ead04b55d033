#include "composition/formation.h"

#include "common/errors.h"
#include "common/file_lock.h"
#include "common/files.h"
#include "common/number_format.h"
#include "composition/streams.h"
#include "common/text_helpers.h"

#include <algorithm>
#include <set>
#include <string_view>
#include <vector>

namespace rw {
namespace {

constexpr int kGroupCount = 5;
constexpr int kFirstCarbon = 3;
constexpr int kLastCarbon = 13;
constexpr int kEthane = 1;

constexpr const char* kWorkingList = "basa.dat";
constexpr const char* kTrafaret = "trafaret";

// One table per group (index 0 = group 1, n-paraffins), indexed by carbon number.
using CarbonTable = std::array<double, kLastCarbon + 1>;
using GroupTables = std::array<CarbonTable, kGroupCount>;
enum GroupIndex { kP = 0, kI = 1, kN5 = 2, kN6 = 3, kA = 4 };

const char* const kDivisionByZero = "Floating point division by zero";

std::string DatabaseFolder(const FormationInputs& inputs) { return JoinPath(inputs.baseFolder, "Basa"); }

// Deletes the working list whatever way the stream ends: it exists only
// while a stream is processed.
class WorkingListGuard {
public:
    explicit WorkingListGuard(std::string path) : path_(std::move(path)) {}
    ~WorkingListGuard() {
        if (erased_) return;
        try {
            DeleteFile(path_);
        } catch (...) {
        }
    }
    WorkingListGuard(const WorkingListGuard&) = delete;
    WorkingListGuard& operator=(const WorkingListGuard&) = delete;
    void Erase() {
        DeleteFile(path_);
        erased_ = true;
    }

private:
    std::string path_;
    bool erased_ = false;
};

// The value of a list line: the number after the 42-character name, read as a
// whole token (blanks skipped). A name that runs into column 43 spoils it.
double LineValue(std::string_view line) {
    std::string_view rest = line.size() > kNameLength ? line.substr(kNameLength) : std::string_view{};
    size_t begin = rest.find_first_not_of(" \t");
    if (begin == std::string_view::npos) throw UserError("Invalid numeric input");
    size_t end = rest.find_first_of(" \t", begin);
    std::string_view token = rest.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin);
    double value = 0;
    if (!ParseStrictNumber(token, value, '.')) throw UserError("Invalid numeric input");
    return value;
}

void Count(const ComponentTarget& target, double value, ModelVector& working, GroupTables& tables) {
    if (target.component < 1 || target.component > kModelComponentCount) return;
    double& m = working[static_cast<size_t>(target.component - 1)];
    if (target.group == 0) {
        // Only the built-in ethane row has no group cell; a later ethane line
        // replaces an earlier one.
        m = value;
        return;
    }
    m += value;
    if (target.group >= 1 && target.group <= kGroupCount && target.carbon >= kFirstCarbon &&
        target.carbon <= kLastCarbon) {
        tables[static_cast<size_t>(target.group - 1)][static_cast<size_t>(target.carbon)] += value;
    }
}

double GroupSum(const CarbonTable& t) {
    double s = 0;
    for (int c = kFirstCarbon; c <= kLastCarbon; ++c) s += t[static_cast<size_t>(c)];
    return s;
}

// Scales the four non-n-paraffin groups so that with the n-paraffins they make 100.
GroupTables Normalised(const GroupTables& raw) {
    const double sp = GroupSum(raw[kP]);
    const double total = sp + GroupSum(raw[kI]) + GroupSum(raw[kN5]) + GroupSum(raw[kN6]) + GroupSum(raw[kA]);
    const double rest = total - sp;
    // The lists carry no error of their own here: a stream that counted
    // nothing outside the n-paraffins (an empty list, too) cannot be scaled.
    if (rest == 0) throw UserError(kDivisionByZero);
    GroupTables n = raw;
    for (int g : {kI, kN5, kN6, kA}) {
        for (int c = kFirstCarbon; c <= kLastCarbon; ++c) {
            const size_t cc = static_cast<size_t>(c);
            n[static_cast<size_t>(g)][cc] = (100 - sp) * raw[static_cast<size_t>(g)][cc] / rest;
        }
    }
    return n;
}

// The five lumps, in this order and with the sums accumulated as written:
// the model's reference compositions were computed the same way.
void ComputeLumps(const GroupTables& t, ModelVector& w) {
    auto M = [&w](int k) -> double& { return w[static_cast<size_t>(k - 1)]; };
    auto T = [&t](int g, int c) { return t[static_cast<size_t>(g)][static_cast<size_t>(c)]; };

    double m47 = T(kN5, 5) + T(kN5, 6) + T(kN5, 7) + T(kN5, 8) + T(kN6, 6) + T(kN6, 7) + T(kN6, 8);
    for (int k : {8, 13, 19, 23, 24, 25, 27, 29, 30, 33, 35, 38, 42, 49, 50}) m47 -= M(k);
    // Line 59 holds ethylcyclohexane and ethylbenzene: the bracket leaves the naphthene.
    m47 -= M(59) - T(kA, 8) + M(62) + M(63) + M(65);
    m47 -= M(60);
    M(47) = m47;

    double m64 = T(kI, 9);
    for (int k : {51, 52, 53, 54, 55, 56, 57, 58, 61}) m64 -= M(k);
    M(64) = m64;

    M(66) = T(kN5, 9) + T(kN6, 9);

    double m68 = 0;
    for (int g : {kP, kI, kN5, kN6}) {
        for (int c = 10; c <= kLastCarbon; ++c) m68 += T(g, c);
    }
    M(68) = m68;

    double m69 = 0;
    for (int c = 9; c <= kLastCarbon; ++c) m69 += T(kA, c);
    M(69) = m69;

    // Line 68 (C9 and heavier) includes the aromatics of line 69.
    M(68) = M(68) + M(69);
}

}  // namespace

ModelVector ProcessStream(int stream, const FormationInputs& inputs, ComponentDatabase& database,
                          ComponentResolver& resolver) {
    const std::string basa = DatabaseFolder(inputs);
    const std::string workingPath = JoinPath(basa, kWorkingList);
    const std::string listPath = JoinPath(inputs.samplingFolder, inputs.sampleName + StreamExtension(stream));

    // The list is taken over as a working copy in the database folder and
    // counted from there.
    const std::string listBytes = ReadFileBytes(listPath);
    std::vector<std::string> workingLines;
    {
        // Every instance on the base folder uses this one name: the copy is
        // written, read back and erased under its lock, and not kept while the
        // user answers questions about unknown components, so two formations
        // never count each other's lists.
        SharedFileLock lock(workingPath);
        WorkingListGuard guard(workingPath);
        workingLines = SplitLines(listBytes);
        // Counted from the lines just written: reading the copy back gives
        // the same lines.
        WriteFileAtomic(workingPath, JoinLinesCrLf(workingLines));
        guard.Erase();
    }

    ModelVector working{};
    GroupTables raw{};
    for (const std::string& line : workingLines) {
        const std::string name = line.substr(0, std::min(line.size(), kNameLength));
        const double value = LineValue(line);
        LookupResult found = database.LookUp(name);
        if (found.kind == LookupKind::Target) {
            for (const ComponentTarget& hit : found.hits) Count(hit, value, working, raw);
        } else if (found.kind == LookupKind::Unresolved) {
            if (auto target = resolver.Resolve(name, database)) Count(*target, value, working, raw);
        }
    }
    const GroupTables normalised = Normalised(raw);

    if (stream == kFeedStream) {
        // Delivered with every installation; the formation insists on it.
        ReadFileBytes(JoinPath(basa, kTrafaret));
    }

    ComputeLumps(stream == kCatalyzateStream ? GroupTables{raw[kP], normalised[kI], normalised[kN5],
                                                           normalised[kN6], normalised[kA]}
                                             : raw,
                 working);
    return working;
}

ModelVector MixStreams(const ModelVector& catalyzate, double catalyzateFlow, double catalyzateDensity,
                       const ModelVector& sideCut, double sideCutFlow, double sideCutDensity) {
    const double massCatalyzate = catalyzateFlow * catalyzateDensity;
    const double massSideCut = sideCutFlow * sideCutDensity;
    const double w = massCatalyzate + massSideCut;
    if (w == 0) throw UserError(kDivisionByZero);
    ModelVector mixed{};
    for (size_t k = 0; k < mixed.size(); ++k) {
        mixed[k] = (massCatalyzate / w) * catalyzate[k] + (massSideCut / w) * sideCut[k];
    }
    return mixed;
}

CompositionRecord FormComposition(const FormationInputs& inputs, ComponentResolver& resolver) {
    ComponentDatabase database(DatabaseFolder(inputs));
    const ModelVector feed = ProcessStream(kFeedStream, inputs, database, resolver);
    const ModelVector catalyzate = ProcessStream(kCatalyzateStream, inputs, database, resolver);
    ModelVector sideCut{};
    if (inputs.flow[2] != 0) sideCut = ProcessStream(kSideCutStream, inputs, database, resolver);

    CompositionRecord record;
    record.feed = feed;
    record.catalyzate =
        MixStreams(catalyzate, inputs.flow[1], inputs.density[1], sideCut, inputs.flow[2], inputs.density[2]);
    for (size_t i = 0; i < record.fraction.size(); ++i) record.fraction[i] = TextToNumber(inputs.fractionTexts[i]);
    record.density = inputs.density[0];
    WriteCompositionFile(record, inputs.samplingFolder, inputs.sampleName);
    return record;
}

std::vector<UnresolvedListName> FindUnresolvedNames(const FormationInputs& inputs) {
    const ComponentDatabase database(DatabaseFolder(inputs));
    std::vector<UnresolvedListName> found;
    std::set<std::string> seen;
    for (int stream = kFeedStream; stream <= kSideCutStream; ++stream) {
        if (stream == kSideCutStream && inputs.flow[2] == 0) break;
        const std::string file = inputs.sampleName + StreamExtension(stream);
        for (const std::string& line : SplitLines(ReadFileBytes(JoinPath(inputs.samplingFolder, file)))) {
            std::string name = line.substr(0, std::min(line.size(), kNameLength));
            if (database.LookUp(name).kind != LookupKind::Unresolved || !seen.insert(name).second) continue;
            found.push_back({file, std::move(name)});
        }
    }
    return found;
}

}  // namespace rw
