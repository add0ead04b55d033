#include "composition/component_database.h"

#include "common/errors.h"
#include "common/file_lock.h"
#include "common/files.h"

#include <algorithm>
#include <array>
#include <deque>
#include <stdexcept>
#include <unordered_map>
#include <unordered_set>

namespace rw {
namespace {

constexpr std::array<BuiltInRow, kBuiltInRowCount> kBuiltIn{{
    {"Ethane", 1, 0, 0},
    {"Propane", 2, 1, 3},
    {"i-Butane", 3, 2, 4},
    {"n-Butane", 4, 1, 4},
    {"i-Pentane", 5, 2, 5},
    {"n-Pentane", 6, 1, 5},
    {"2,2-Dimethylbutane", 7, 2, 6},
    {"Cyclopentane", 8, 3, 5},
    {"2,3-Dimethylbutane", 9, 2, 6},
    {"2-Methylpentane", 10, 2, 6},
    {"3-Methylpentane", 11, 2, 6},
    {"n-Hexane", 12, 1, 6},
    {"Methylcyclopentane", 13, 3, 6},
    {"2,2-Dimethylpentane", 14, 2, 7},
    {"2,4-Dimethylpentane", 15, 2, 7},
    {"Benzene", 16, 5, 6},
    {"2,2,3-Trimethylbutane", 17, 2, 7},
    {"3,3-Dimethylpentane", 18, 2, 7},
    {"Cyclohexane", 19, 4, 6},
    {"2-Methylhexane", 20, 2, 7},
    {"2,3-Dimethylpentane", 21, 2, 7},
    {"3-Methylhexane", 22, 2, 7},
    {"1c,3-Dimethylcyclopentane", 23, 3, 7},
    {"1t,3-Dimethylcyclopentane", 24, 3, 7},
    {"1t,2-Dimethylcyclopentane", 25, 3, 7},
    {"n-Heptane", 26, 1, 7},
    {"1c,2-Dimethylcyclopentane", 27, 3, 7},
    {"2,2-Dimethylhexane", 28, 2, 8},
    {"1,1,3-Trimethylcyclopentane", 29, 3, 8},
    {"Methylcyclohexane", 30, 4, 7},
    {"2,5-Dimethylhexane", 31, 2, 8},
    {"2,4-Dimethylhexane", 32, 2, 8},
    {"Ethylcyclopentane", 33, 3, 7},
    {"2,2,3-Trimethylpentane", 34, 2, 8},
    {"1,2,4-Trimethylcyclopentane", 35, 3, 8},
    {"3,3-Dimethylhexane", 36, 2, 8},
    {"Toluene", 37, 5, 7},
    {"1,2,3-Trimethylcyclopentane", 38, 3, 8},
    {"2,3,4-Trimethylpentane", 39, 2, 8},
    {"2,3-Dimethylhexane", 40, 2, 8},
    {"2-Methyl-3-ethylpentane", 41, 2, 8},
    {"1,1,2-Trimethylcyclopentane", 42, 3, 8},
    {"2-Methylheptane", 43, 2, 8},
    {"4-Methylheptane", 44, 2, 8},
    {"3,4-Dimethylhexane", 45, 2, 8},
    {"3-Methylheptane", 46, 2, 8},
    {"n-Octane", 48, 1, 8},
    {"1t,2-Dimethylcyclohexane", 49, 4, 8},
    {"1t,3-Dimethylcyclohexane", 50, 4, 8},
    {"2,3,5-Trimethylhexane", 51, 2, 9},
    {"2,2-Dimethylheptane", 52, 2, 9},
    {"2,4-Dimethylheptane", 53, 2, 9},
    {"2,2,3-Trimethylhexane", 54, 2, 9},
    {"2-Methyl-4-ethylhexane", 55, 2, 9},
    {"2,6-Dimethylheptane", 56, 2, 9},
    {"2,5-Dimethylheptane", 57, 2, 9},
    {"3,3-Dimethylheptane", 58, 2, 9},
    {"Ethylcyclohexane", 59, 4, 8},
    {"Ethylbenzene", 59, 5, 8},
    {"Trimethylcyclopentane", 60, 3, 8},
    {"2,3,4-Trimethylhexane", 61, 2, 9},
    {"p-Xylene", 62, 5, 8},
    {"m-Xylene", 63, 5, 8},
    {"o-Xylene", 65, 5, 8},
    {"n-Nonane", 67, 1, 9},
}};

struct GroupInfo {
    const char* caption;
    const char* groupPrefix;
    const char* candidatePrefix;
    int firstSearched;  // lowest carbon number the lookup reads
};

constexpr std::array<GroupInfo, 5> kGroups{{
    {"н-Парафины", "par.", "pars.", 3},
    {"и-Парафины", "ipar.", "ipars.", 4},
    {"Нафтены-5", "naf5.", "naf5s.", 5},
    {"Нафтены-6", "naf6.", "naf6s.", 6},
    {"Ароматика", "arom.", "aroms.", 6},
}};

constexpr int kMaxCarbon = 13;

bool ValidGroup(int group) { return group >= 1 && group <= 5; }

// The first 42 bytes: the part of a name the program ever compares.
std::string_view NameField(std::string_view s) { return s.substr(0, std::min(s.size(), kNameLength)); }

bool IsBlankLine(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

// Calls f with each line of a text, as SplitLines cuts them (CR LF, LF, CR;
// a last line without its end counts), without copying them.
template <class F>
void ForEachLine(std::string_view b, F&& f) {
    size_t start = 0, i = 0, n = b.size();
    while (i < n) {
        char c = b[i];
        if (c == '\r' || c == '\n') {
            f(b.substr(start, i - start));
            if (c == '\r' && i + 1 < n && b[i + 1] == '\n') ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < n) f(b.substr(start));
}

bool IsSeparator(char c) { return static_cast<unsigned char>(c) <= ' '; }

// The leading integer of a database line, as the run time's Read of an
// integer takes it: blanks skipped, the token ends at the next blank, the
// whole token must be a number. `end` receives the position after the token.
int ReadLeadingInteger(std::string_view line, size_t& end) {
    size_t i = 0;
    while (i < line.size() && IsSeparator(line[i])) ++i;
    size_t start = i;
    while (i < line.size() && !IsSeparator(line[i])) ++i;
    end = i;
    std::string_view token = line.substr(start, i - start);
    size_t p = 0;
    bool negative = false;
    if (p < token.size() && (token[p] == '+' || token[p] == '-')) negative = token[p++] == '-';
    if (p == token.size()) throw UserError("Invalid numeric input");
    long long value = 0;
    for (; p < token.size(); ++p) {
        if (token[p] < '0' || token[p] > '9') throw UserError("Invalid numeric input");
        value = value * 10 + (token[p] - '0');
        if (value > 2147483647LL) throw UserError("Invalid numeric input");
    }
    if (negative) value = -value;
    // The formation indexes its 69 model components with this number.
    if (value < 1 || value > 69) throw UserError("Range check error");
    return static_cast<int>(value);
}

std::string FileIn(const std::string& folder, const std::string& name) { return JoinPath(folder, name); }

// An appended line must start a line of its own even when the file's last
// line lacks its CR LF; otherwise the name would be glued to that line.
// Another engineer may have given the same answer since this database was
// read: a second identical group-file line would count the component twice,
// so an identical line is not appended again.
void AppendLine(const std::string& path, std::string_view line) {
    SharedFileLock lock(path);
    if (!FileExists(path)) throw UserError(FileNotFoundMessage(path));
    std::string bytes = ReadFileBytes(path);
    for (const std::string& present : SplitLines(bytes)) {
        if (present == line) return;
    }
    std::string out;
    if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r') out = "\r\n";
    out.append(line);
    out += "\r\n";
    AppendToFile(path, out);
}

}  // namespace

std::string PadName(std::string_view name) {
    std::string s(NameField(name));
    s.resize(kNameLength, ' ');
    return s;
}

const char* GroupCaption(int group) { return ValidGroup(group) ? kGroups[group - 1].caption : nullptr; }
const char* GroupFilePrefix(int group) { return ValidGroup(group) ? kGroups[group - 1].groupPrefix : nullptr; }
const char* CandidateFilePrefix(int group) { return ValidGroup(group) ? kGroups[group - 1].candidatePrefix : nullptr; }

const BuiltInRow& BuiltInRowAt(int row) { return kBuiltIn.at(static_cast<size_t>(row - 1)); }

int FindBuiltInRow(std::string_view name) {
    static const std::vector<std::string> padded = [] {
        std::vector<std::string> v;
        for (const auto& row : kBuiltIn) v.push_back(PadName(row.name));
        return v;
    }();
    std::string_view field = NameField(name);
    for (int r = 0; r < kBuiltInRowCount; ++r) {
        if (field == padded[static_cast<size_t>(r)]) return r + 1;
    }
    return 0;
}

const std::vector<GroupFileRef>& GroupFileSequence() {
    static const std::vector<GroupFileRef> seq = [] {
        std::vector<GroupFileRef> s;
        for (int group : {2, 1, 3, 4, 5}) {
            for (int c = kGroups[group - 1].firstSearched; c <= kMaxCarbon; ++c) s.push_back({group, c});
        }
        if (s.size() != static_cast<size_t>(kGroupFileCount)) throw std::logic_error("group file sequence");
        return s;
    }();
    return seq;
}

std::string GroupFileName(int group, std::string_view carbonText) {
    const char* prefix = GroupFilePrefix(group);
    return std::string(prefix ? prefix : "") + std::string(carbonText);
}

std::string CandidateFileName(int group, std::string_view carbonText) {
    const char* prefix = CandidateFilePrefix(group);
    return std::string(prefix ? prefix : "") + std::string(carbonText);
}

GroupLine ParseGroupLine(std::string_view line) {
    size_t end = 0;
    GroupLine g;
    g.component = ReadLeadingInteger(line, end);
    // One separator character, then the name field.
    if (end < line.size()) g.name = std::string(NameField(line.substr(end + 1)));
    return g;
}

Candidate ParseCandidateLine(std::string_view line) {
    size_t end = 0;
    Candidate c;
    c.component = ReadLeadingInteger(line, end);
    if (end < line.size()) c.text = std::string(line.substr(end + 1));
    return c;
}

// ---------------------------------------------------------------------------
// The in-memory database.

struct ComponentDatabase::Impl {
    // Every group-file line the search can reach, as a chain per name in
    // search order. Names point into the file texts kept here (and into the
    // appended names), so loading copies no name.
    struct Slot {
        int fileIndex;
        ComponentTarget target;
        int next;  // -1 ends the chain
    };
    std::deque<std::string> texts;
    std::vector<Slot> slots;
    std::unordered_map<std::string_view, int> heads;
    // The first file of the sequence that cannot be opened, and the first one
    // with a faulty line (kGroupFileCount when there is none), with the
    // failures the search meets there.
    int firstUnopened = kGroupFileCount;
    std::string openFailure;
    int firstFaulty = kGroupFileCount;
    std::string lineFailure;
    std::vector<bool> faulty = std::vector<bool>(kGroupFileCount, false);
    std::vector<bool> unopened = std::vector<bool>(kGroupFileCount, false);
    std::string nloFailure;
    std::unordered_set<std::string> ignored;

    void Add(int fileIndex, std::string_view name, const ComponentTarget& t) {
        int slot = static_cast<int>(slots.size());
        slots.push_back(Slot{fileIndex, t, -1});
        auto [it, inserted] = heads.try_emplace(name, slot);
        if (inserted) return;
        // Keep search order: after every line of the same or an earlier file.
        int* link = &it->second;
        while (*link >= 0 && slots[static_cast<size_t>(*link)].fileIndex <= fileIndex) {
            link = &slots[static_cast<size_t>(*link)].next;
        }
        slots.back().next = *link;
        *link = slot;
    }
};

ComponentDatabase::ComponentDatabase(std::string folder) : folder_(std::move(folder)), impl_(new Impl) {
    const auto& seq = GroupFileSequence();
    for (int i = 0; i < kGroupFileCount; ++i) {
        const GroupFileRef& ref = seq[static_cast<size_t>(i)];
        std::string path = FileIn(folder_, GroupFileName(ref.group, std::to_string(ref.carbon)));
        try {
            impl_->texts.push_back(ReadFileBytes(path));
        } catch (const UserError& e) {
            impl_->unopened[static_cast<size_t>(i)] = true;
            if (impl_->firstUnopened == kGroupFileCount) {
                impl_->firstUnopened = i;
                impl_->openFailure = e.what();
            }
            continue;
        }
        const std::string& bytes = impl_->texts.back();
        impl_->slots.reserve(impl_->slots.size() + bytes.size() / 40);
        bool stopped = false;
        ForEachLine(bytes, [&](std::string_view line) {
            if (stopped || IsBlankLine(line)) return;
            size_t end = 0;
            int component = 0;
            try {
                component = ReadLeadingInteger(line, end);
            } catch (const UserError& e) {
                // The search stops here with this failure; the lines after it
                // are never reached.
                stopped = true;
                impl_->faulty[static_cast<size_t>(i)] = true;
                if (impl_->firstFaulty == kGroupFileCount) {
                    impl_->firstFaulty = i;
                    impl_->lineFailure = e.what();
                }
                return;
            }
            std::string_view name = end < line.size() ? NameField(line.substr(end + 1)) : std::string_view{};
            impl_->Add(i, name, ComponentTarget{component, ref.group, ref.carbon});
        });
    }
    try {
        for (const auto& line : SplitLines(ReadFileBytes(FileIn(folder_, "nlo")))) {
            impl_->ignored.insert(std::string(NameField(line)));
        }
    } catch (const UserError& e) {
        impl_->nloFailure = e.what();
    }
}

ComponentDatabase::~ComponentDatabase() { delete impl_; }

LookupResult ComponentDatabase::LookUp(std::string_view rawName) const {
    LookupResult r;
    if (int row = FindBuiltInRow(rawName)) {
        const BuiltInRow& b = BuiltInRowAt(row);
        r.kind = LookupKind::Target;
        r.builtIn = true;
        r.hits.push_back({b.component, b.group, b.carbon});
        return r;
    }
    std::string_view name = NameField(rawName);
    const Impl& d = *impl_;
    auto it = d.heads.find(name);
    int head = it == d.heads.end() ? -1 : it->second;
    int hitFile = head < 0 ? kGroupFileCount : d.slots[static_cast<size_t>(head)].fileIndex;

    // The search opens every file in order but reads them only up to the
    // first hit: a faulty line stops it only if it is read before the hit
    // (or in the hit's own file, which is read to its end), a file that
    // cannot be opened stops it wherever it stands.
    if (d.firstFaulty < kGroupFileCount && d.firstFaulty < d.firstUnopened && d.firstFaulty <= hitFile) {
        throw UserError(d.lineFailure);
    }
    if (d.firstUnopened < kGroupFileCount) throw UserError(d.openFailure);
    if (!d.nloFailure.empty()) throw UserError(d.nloFailure);

    if (hitFile < kGroupFileCount) {
        r.kind = LookupKind::Target;
        for (int k = head; k >= 0 && d.slots[static_cast<size_t>(k)].fileIndex == hitFile;
             k = d.slots[static_cast<size_t>(k)].next) {
            r.hits.push_back(d.slots[static_cast<size_t>(k)].target);
        }
        return r;
    }
    r.kind = d.ignored.count(std::string(name)) ? LookupKind::Ignored : LookupKind::Unresolved;
    return r;
}

void ComponentDatabase::AddComponent(int group, const std::string& carbonText, int component, std::string_view name) {
    if (!ValidGroup(group)) throw UserError("File not found");
    if (component < 1 || component > 69) throw UserError("Range check error");
    std::string padded = PadName(name);
    AppendLine(FileIn(folder_, GroupFileName(group, carbonText)), std::to_string(component) + " " + padded);
    // Seen at once when the file is one the search reads (the carbon text is
    // the file name: "03" or "3 " name other files than "3").
    const auto& seq = GroupFileSequence();
    for (int i = 0; i < kGroupFileCount; ++i) {
        const GroupFileRef& ref = seq[static_cast<size_t>(i)];
        if (ref.group != group || std::to_string(ref.carbon) != carbonText) continue;
        if (!impl_->unopened[static_cast<size_t>(i)] && !impl_->faulty[static_cast<size_t>(i)]) {
            impl_->texts.push_back(padded);
            impl_->Add(i, impl_->texts.back(), ComponentTarget{component, ref.group, ref.carbon});
        }
    }
}

void ComponentDatabase::IgnoreComponent(std::string_view name) {
    std::string padded = PadName(name);
    AppendLine(FileIn(folder_, "nlo"), padded);
    impl_->ignored.insert(padded);
}

std::vector<Candidate> ComponentDatabase::ReadCandidates(int group, const std::string& carbonText) const {
    if (!ValidGroup(group)) throw UserError("File not found");
    std::vector<Candidate> out;
    for (const auto& line : SplitLines(ReadFileBytes(FileIn(folder_, CandidateFileName(group, carbonText))))) {
        if (IsBlankLine(line)) continue;
        out.push_back(ParseCandidateLine(line));
    }
    return out;
}

std::vector<std::string> ReadTemplate(const std::string& basaFolder, int plantIndex) {
    std::vector<std::string> names;
    for (const auto& line : SplitLines(ReadFileBytes(FileIn(basaFolder, "shablon." + std::to_string(plantIndex + 1))))) {
        names.emplace_back(NameField(line));
    }
    return names;
}

}  // namespace rw
