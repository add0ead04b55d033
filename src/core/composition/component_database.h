#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rw {

// Component names are byte strings (code page of the report they came from),
// compared byte for byte; a name is the first 42 bytes of its line, padded
// with blanks to 42 where the program forms it.
constexpr size_t kNameLength = 42;

// Pads (or cuts) a name to the 42-byte name field.
std::string PadName(std::string_view name);

enum class LookupKind { Target, Ignored, Unresolved };

// Where a component is counted: model component 1..69, group 1..5 (0 for the
// built-in ethane row, which has no group cell), carbon number 3..13 (0 with
// no group).
struct ComponentTarget {
    int component = 0;
    int group = 0;
    int carbon = 0;
    bool operator==(const ComponentTarget&) const = default;
};

// One lookup: for a Target, one entry per hit (two identical group-file lines
// give two hits); empty for Ignored and Unresolved.
struct LookupResult {
    LookupKind kind = LookupKind::Unresolved;
    std::vector<ComponentTarget> hits;
    bool builtIn = false;  // the name is a row of the built-in table
    bool operator==(const LookupResult&) const = default;
};

struct Candidate {
    int component = 0;
    std::string text;  // display text, bytes as in the file
    bool operator==(const Candidate&) const = default;
};

// The component database of one folder (base folder + "\Basa"). The folder
// is read once when the object is made; lookups are answered from memory with
// the results the file-by-file search would give, and the object's own
// appends (AddComponent, IgnoreComponent) are seen at once.
// Failures throw UserError with the file-system message ("File not found"
// for a missing group file or nlo, "Invalid numeric input" for a group-file
// line whose first token is not an integer, "Range check error" for a model
// component number outside 1..69). Like the file-by-file search, a lookup
// only fails for a name that is not a built-in row, and a faulty line only
// fails the lookups that would have read it: a name found in an earlier file
// of the sequence never reaches it.
class ComponentDatabase {
public:
    explicit ComponentDatabase(std::string folder);
    ~ComponentDatabase();
    ComponentDatabase(const ComponentDatabase&) = delete;
    ComponentDatabase& operator=(const ComponentDatabase&) = delete;

    const std::string& folder() const { return folder_; }

    // LookUpComponent: built-in table first, then the group files in their
    // fixed order (first file with a hit wins, every hit of it counts), then
    // the ignore list nlo. Only the first 42 bytes of `name` count.
    LookupResult LookUp(std::string_view name) const;

    // AddComponent: appends "<component> <42-byte name>" to the group file of
    // `group` and the typed carbon number ("3".."13"); the file must exist
    // (UserError "File not found" otherwise, nothing written).
    void AddComponent(int group, const std::string& carbonText, int component, std::string_view name);
    // IgnoreComponent: appends the 42-byte name to nlo, which must exist.
    void IgnoreComponent(std::string_view name);
    // ReadCandidates: the candidate file of a group and typed carbon number,
    // every line in file order (a file longer than the usual 21 lines is
    // returned whole). Throws "File not found" for a missing file and
    // "Invalid numeric input" for a line without a leading integer.
    std::vector<Candidate> ReadCandidates(int group, const std::string& carbonText) const;

private:
    struct Impl;
    std::string folder_;
    Impl* impl_;
};

// ReadTemplate: the first 42 bytes of each line of <folder>\shablon.<plantIndex+1>.
// Throws "File not found" when the plant has no template list.
std::vector<std::string> ReadTemplate(const std::string& basaFolder, int plantIndex);

// Group captions and file prefixes (group 1..5); nullptr for another number.
const char* GroupCaption(int group);        // "н-Парафины", ... (UTF-8)
const char* GroupFilePrefix(int group);     // "par.", "ipar.", ...
const char* CandidateFilePrefix(int group); // "pars.", "ipars.", ...

// The built-in name table, 65 rows in search order.
struct BuiltInRow {
    const char* name;  // unpadded
    int component;
    int group;         // 0 for ethane
    int carbon;        // 0 for ethane
};
constexpr int kBuiltInRowCount = 65;
const BuiltInRow& BuiltInRowAt(int row);  // row 1..65
// Row (1..65) whose padded name equals the first 42 bytes of `name`; 0 if none.
int FindBuiltInRow(std::string_view name);

// One file of the search sequence.
struct GroupFileRef {
    int group;
    int carbon;
};
// The group files in search order: ipar.4-13, par.3-13, naf5.5-13,
// naf6.6-13, arom.6-13. Counted out, these ranges name 46 files (often
// called "the 45 files"); every one of them is searched.
constexpr int kGroupFileCount = 46;
const std::vector<GroupFileRef>& GroupFileSequence();
// "ipar.4", "pars.7", ...: file names (no folder) of a group and carbon text.
std::string GroupFileName(int group, std::string_view carbonText);
std::string CandidateFileName(int group, std::string_view carbonText);

// One group-file line read as the search reads it: the model component
// number (leading blanks skipped, the number ends at the next blank), one
// separator character, then up to 42 bytes as the name. Throws
// "Invalid numeric input" when the first token is not an integer and
// "Range check error" when it is outside 1..69.
struct GroupLine {
    int component = 0;
    std::string name;  // 0..42 bytes
};
GroupLine ParseGroupLine(std::string_view line);
// One candidate-file line: the number as above, one character skipped, the
// rest of the line as display text. Same failures.
Candidate ParseCandidateLine(std::string_view line);

}  // namespace rw
