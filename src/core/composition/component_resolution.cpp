#include "composition/component_resolution.h"

#include "common/errors.h"

#include <algorithm>
#include <stdexcept>

namespace rw {
namespace {

// The first n characters of a UTF-8 text: the carbon field is a window text.
std::string FirstCharacters(const std::string& s, size_t n) {
    size_t i = 0;
    for (size_t count = 0; i < s.size() && count < n; ++count) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
        i = std::min(s.size(), i + len);
    }
    return s.substr(0, i);
}

std::string TrimRight(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

}  // namespace

// --- ResolutionChain ---------------------------------------------------------

void ResolutionChain::Expect(Stage s) const {
    if (stage_ != s) throw std::logic_error("resolution chain: answer out of turn");
}

// A database failure ends the chain: the dialogs close and the formation
// stops with the error.
template <class F>
void ResolutionChain::Guard(F&& f) {
    try {
        f();
    } catch (...) {
        stage_ = Stage::Finished;
        result_.reset();
        throw;
    }
}

void ResolutionChain::Start(const std::string& name, ComponentDatabase& database) {
    name_ = name;
    database_ = &database;
    candidates_.clear();
    result_.reset();
    stage_ = Stage::AskAdd;
}

void ResolutionChain::AnswerAdd(bool yes) {
    Expect(Stage::AskAdd);
    if (yes) {
        stage_ = Stage::AskGroup;
        return;
    }
    Guard([&] { database_->IgnoreComponent(name_); });
    stage_ = Stage::Finished;
}

bool ResolutionChain::ConfirmGroup(int radio) {
    Expect(Stage::AskGroup);
    if (radio >= 1 && radio <= 5) group_ = radio;
    // With no group ever chosen there is no file to go on with.
    if (group_ < 1 || group_ > 5) return false;
    stage_ = Stage::AskCarbon;
    return true;
}

std::optional<int> ResolutionChain::CarbonFromTyped(const std::string& typedText, std::string* carbonText) {
    std::string text = FirstCharacters(typedText, 2);
    for (int c = 3; c <= 13; ++c) {
        if (text == std::to_string(c)) {
            if (carbonText) *carbonText = text;
            return c;
        }
    }
    return std::nullopt;
}

bool ResolutionChain::ConfirmCarbon(const std::string& typedText) {
    Expect(Stage::AskCarbon);
    carbonField_ = typedText;
    std::string text;
    std::optional<int> c = CarbonFromTyped(typedText, &text);
    if (!c) return false;
    carbon_ = *c;
    carbonText_ = text;
    Guard([&] {
        candidates_ = database_->ReadCandidates(group_, carbonText_);
        // The list could never be closed without a row to select.
        if (candidates_.empty()) {
            throw UserError("Нет вариантов для выбора в файле " + CandidateFileName(group_, carbonText_));
        }
    });
    stage_ = Stage::ChooseCandidate;
    return true;
}

bool ResolutionChain::ConfirmCandidate(int row) {
    Expect(Stage::ChooseCandidate);
    if (row < 0 || static_cast<size_t>(row) >= candidates_.size()) return false;
    const int component = candidates_[static_cast<size_t>(row)].component;
    Guard([&] { database_->AddComponent(group_, carbonText_, component, name_); });
    result_ = ComponentTarget{component, group_, carbon_};
    stage_ = Stage::Finished;
    return true;
}

// --- AutomaticResolver -------------------------------------------------------

std::optional<ComponentTarget> AutomaticResolver::Resolve(const std::string& name, ComponentDatabase& database) {
    if (policy_ == Policy::Ignore) {
        database.IgnoreComponent(name);
        return std::nullopt;
    }
    if (std::find(unresolved_.begin(), unresolved_.end(), name) == unresolved_.end()) unresolved_.push_back(name);
    return std::nullopt;
}

void AutomaticResolver::ThrowIfUnresolved() const {
    if (unresolved_.empty()) return;
    std::string message = "Components not found in the database:";
    for (const auto& n : unresolved_) message += "\n  " + TrimRight(n);
    throw UserError(message);
}

}  // namespace rw
