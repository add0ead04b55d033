#include "composition/dialog_resolver.h"

#include "composition/candidate_choice.h"
#include "composition/carbon_number_question.h"
#include "composition/group_question.h"
#include "composition/question_errors.h"
#include "composition/unknown_component_question.h"
#include "shell/ui_services.h"
#include "shell/window_registry.h"

namespace rw {

ResolutionChain& DialogResolver::Chain() {
    static ResolutionChain chain;
    return chain;
}

namespace {

using Stage = ResolutionChain::Stage;

// Shows one dialog until the chain has left its stage; raises an error the
// dialog kept.
void Ask(QDialog* dialog, Stage stage) {
    ResolutionChain& chain = DialogResolver::Chain();
    PendingQuestionError() = nullptr;
    // A dialog whose answer was refused stays open: ask again (in the
    // program exec() only returns on an accepted answer; a test hook may
    // return at once).
    for (int guard = 0; chain.stage() == stage && guard < 100; ++guard) {
        ui::ExecModal(dialog);
        if (PendingQuestionError()) {
            auto error = PendingQuestionError();
            PendingQuestionError() = nullptr;
            std::rethrow_exception(error);
        }
    }
}

}  // namespace

std::optional<ComponentTarget> DialogResolver::Resolve(const std::string& name, ComponentDatabase& database) {
    Windows& w = W();
    ResolutionChain& chain = Chain();
    chain.Start(name, database);
    w.formb2->Ask(&chain);
    Ask(w.formb2, Stage::AskAdd);
    if (chain.stage() == Stage::Finished) return chain.result();
    w.formb3->Ask(&chain);
    Ask(w.formb3, Stage::AskGroup);
    w.formb4->Ask(&chain);
    Ask(w.formb4, Stage::AskCarbon);
    w.addSub->Ask(&chain);
    Ask(w.addSub, Stage::ChooseCandidate);
    return chain.result();
}

}  // namespace rw
