#include "component_doubles.h"

#include "common/errors.h"
#include "common/files.h"

#include <stdexcept>

namespace rw {

// The file-by-file search, one name at a time.
LookupResult LookUpComponentByFiles(const std::string& basaFolder, std::string_view rawName) {
    LookupResult r;
    if (int row = FindBuiltInRow(rawName)) {
        const BuiltInRow& b = BuiltInRowAt(row);
        r.kind = LookupKind::Target;
        r.builtIn = true;
        r.hits.push_back({b.component, b.group, b.carbon});
        return r;
    }
    std::string_view name = rawName.substr(0, kNameLength);
    bool found = false;
    for (const GroupFileRef& ref : GroupFileSequence()) {
        std::string path = JoinPath(basaFolder, GroupFileName(ref.group, std::to_string(ref.carbon)));
        if (found) {
            // Opened and closed, not read.
            if (!FileExists(path)) throw UserError("File not found");
            continue;
        }
        for (const auto& line : SplitLines(ReadFileBytes(path))) {
            if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
            GroupLine g = ParseGroupLine(line);
            if (g.name == name) {
                found = true;
                r.hits.push_back({g.component, ref.group, ref.carbon});
            }
        }
    }
    std::string nloPath = JoinPath(basaFolder, "nlo");
    if (found) {
        if (!FileExists(nloPath)) throw UserError("File not found");
        r.kind = LookupKind::Target;
        return r;
    }
    for (const auto& line : SplitLines(ReadFileBytes(nloPath))) {
        if (line.substr(0, kNameLength) == name) {
            r.kind = LookupKind::Ignored;
            return r;
        }
    }
    r.kind = LookupKind::Unresolved;
    return r;
}

// --- ScriptedResolver --------------------------------------------------------

std::optional<ComponentTarget> ScriptedResolver::Resolve(const std::string& name, ComponentDatabase& database) {
    asked_.push_back(name);
    if (answers_.empty()) throw std::logic_error("scripted resolver: no answer left for '" + name + "'");
    Answer a = answers_.front();
    answers_.pop_front();

    chain_.Start(name, database);
    chain_.AnswerAdd(a.add);
    if (!a.add) return std::nullopt;
    if (!chain_.ConfirmGroup(a.radio)) throw std::logic_error("scripted resolver: no group chosen");
    bool accepted = false;
    for (const auto& text : a.carbonTexts) {
        if (chain_.ConfirmCarbon(text)) {
            accepted = true;
            break;
        }
        refused_.push_back(text);
    }
    if (!accepted) throw std::logic_error("scripted resolver: no carbon number accepted");
    if (!chain_.ConfirmCandidate(a.candidateRow)) throw std::logic_error("scripted resolver: no such candidate row");
    return chain_.result();
}

}  // namespace rw
