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
};

struct Candidate {
    int component = 0;
    std::string text;  // display text, bytes as in the file
};

// The component database of one folder (base folder + "\Basa"). The folder
// is read once when the object is made; lookups are answered from memory with
// the results the file-by-file search would give, and the object's own
// appends (AddComponent, IgnoreComponent) are seen at once.
// Failures throw UserError with the file-system message ("File not found"
// for a missing group file or nlo, "Invalid numeric input" for a group-file
// line whose first token is not an integer).
class ComponentDatabase {
public:
    explicit ComponentDatabase(std::string folder);
    ~ComponentDatabase();
    ComponentDatabase(const ComponentDatabase&) = delete;
    ComponentDatabase& operator=(const ComponentDatabase&) = delete;

    const std::string& folder() const { return folder_; }

    // LookUpComponent: built-in table first, then the 45 group files in their
    // fixed order (first file with a hit wins, every hit of it counts), then
    // the ignore list nlo.
    LookupResult LookUp(std::string_view name) const;

    // AddComponent: appends "<component> <42-byte name>" to the group file of
    // `group` and the typed carbon number ("3".."13"); the file must exist.
    void AddComponent(int group, const std::string& carbonText, int component, std::string_view name);
    // IgnoreComponent: appends the 42-byte name to nlo, which must exist.
    void IgnoreComponent(std::string_view name);
    // ReadCandidates: the candidate file of a group and typed carbon number.
    std::vector<Candidate> ReadCandidates(int group, const std::string& carbonText) const;

private:
    struct Impl;
    std::string folder_;
    Impl* impl_;
};

// ReadTemplate: the first 42 bytes of each line of <folder>\shablon.<plantIndex+1>.
std::vector<std::string> ReadTemplate(const std::string& basaFolder, int plantIndex);

// Group captions and file prefixes (group 1..5).
const char* GroupCaption(int group);        // "н-Парафины", ... (UTF-8)
const char* GroupFilePrefix(int group);     // "par.", "ipar.", ...
const char* CandidateFilePrefix(int group); // "pars.", "ipars.", ...

}  // namespace rw
