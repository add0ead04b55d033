#pragma once
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "composition/component_database.h"
#include "composition/component_resolution.h"

// Stand-ins for the component database and the user's answers, for tests and
// benchmarks only; the program itself never uses them.

namespace rw {

// The straightforward lookup: opens and reads the files of the folder for
// this one name, exactly in the order the search describes. Same results and
// failures as ComponentDatabase::LookUp; it is the reference the in-memory
// object is measured and tested against.
LookupResult LookUpComponentByFiles(const std::string& basaFolder, std::string_view name);

// Answers given in advance, one per expected question, consumed in order;
// it drives the same chain the dialogs drive. Throws std::logic_error when it
// runs out of answers or an answer can never close a dialog.
class ScriptedResolver : public ComponentResolver {
public:
    struct Answer {
        bool add = true;                       // Formb2
        int radio = 0;                         // Formb3: 0 = press OK without choosing
        std::vector<std::string> carbonTexts;  // Formb4: typed in turn until one is accepted
        int candidateRow = 0;                  // AddSub
    };
    explicit ScriptedResolver(std::deque<Answer> answers) : answers_(std::move(answers)) {}
    std::optional<ComponentTarget> Resolve(const std::string& name, ComponentDatabase& database) override;

    const ResolutionChain& chain() const { return chain_; }
    // Every name asked, in order.
    const std::vector<std::string>& asked() const { return asked_; }
    // Carbon texts the chain refused.
    const std::vector<std::string>& refusedCarbonTexts() const { return refused_; }
    size_t remainingAnswers() const { return answers_.size(); }

private:
    ResolutionChain chain_;
    std::deque<Answer> answers_;
    std::vector<std::string> asked_;
    std::vector<std::string> refused_;
};

}  // namespace rw
