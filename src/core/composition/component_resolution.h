#pragma once
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "composition/component_database.h"
#include "composition/component_resolver.h"

namespace rw {

// The question chain put to the user for a component the database does not
// know, without any widget: the four dialogs (TFormb2 "add it?", TFormb3
// group, TFormb4 carbon number, TAddSub model component) show what the chain
// holds and hand the user's answers to it.
//
// One chain lives as long as the program, like the dialogs: the chosen
// group, the carbon text and the text of the carbon field persist from one
// name to the next, so a group chosen for an earlier name is offered again.
//
// Use:
//   chain.Start(name, db);                 // stage AskAdd: Formb2 shows name()
//   chain.AnswerAdd(yes);                  // No: name appended to nlo, Finished
//   chain.ConfirmGroup(radio);             // AskGroup: radio 1..5 or 0 (none)
//   chain.ConfirmCarbon(edit1Text);        // AskCarbon: refused texts keep it
//   chain.candidates();                    // ChooseCandidate: rows of AddSub
//   chain.ConfirmCandidate(row);           // line appended to the group file
//   chain.result();                        // Finished: target or nothing
// A Confirm... that is refused returns false and leaves the stage as it is
// (the dialog stays open). Calls out of stage throw std::logic_error.
// Database failures (missing nlo, candidate or group file, a faulty
// candidate line) throw UserError and end the chain (stage Finished, no
// result); the formation stops on them.
class ResolutionChain {
public:
    enum class Stage { Idle, AskAdd, AskGroup, AskCarbon, ChooseCandidate, Finished };

    void Start(const std::string& name, ComponentDatabase& database);

    Stage stage() const { return stage_; }
    const std::string& name() const { return name_; }

    // Formb2: Yes goes on to the group; No puts the name on the ignore list.
    void AnswerAdd(bool yes);

    // Formb3: `radio` is the selected radio button 1..5, or 0 when none is
    // selected (then the group chosen for an earlier name stays). Refused
    // (false) while no group was ever chosen.
    bool ConfirmGroup(int radio);
    // The chosen group, 0 before any choice: the radio button to show selected.
    int group() const { return group_; }

    // Formb4: the first two characters of the typed text must be exactly one
    // of "3" .. "13" ("130" is taken as 13; "03", "3 ", "1", "2", "14" are
    // refused). On acceptance the candidates are read.
    bool ConfirmCarbon(const std::string& typedText);
    // The last text typed into the carbon field (the field keeps it).
    const std::string& carbonFieldText() const { return carbonField_; }
    int carbon() const { return carbon_; }
    const std::string& carbonText() const { return carbonText_; }

    // AddSub: the candidates of the chosen group and carbon text, file order.
    const std::vector<Candidate>& candidates() const { return candidates_; }
    // Row 0-based; refused (false) without a valid selected row. Appends the
    // name to the group file and finishes with the target.
    bool ConfirmCandidate(int row);

    // The target to count the line under; nothing after "No" or a failure.
    const std::optional<ComponentTarget>& result() const { return result_; }

    // The carbon text rule of Formb4 on its own: the accepted carbon number
    // (3..13) and text, or nothing.
    static std::optional<int> CarbonFromTyped(const std::string& typedText, std::string* carbonText = nullptr);

private:
    void Expect(Stage s) const;
    template <class F>
    void Guard(F&& f);

    Stage stage_ = Stage::Idle;
    std::string name_;
    ComponentDatabase* database_ = nullptr;
    int group_ = 0;
    int carbon_ = 0;
    std::string carbonText_;
    std::string carbonField_;
    std::vector<Candidate> candidates_;
    std::optional<ComponentTarget> result_;
};

// The command line's policies: fail collects every unresolved name (the
// caller reports them when the lists are done) and counts it nowhere;
// ignore answers "No" (the name goes to the ignore list).
class AutomaticResolver : public ComponentResolver {
public:
    enum class Policy { Fail, Ignore };
    explicit AutomaticResolver(Policy policy) : policy_(policy) {}
    std::optional<ComponentTarget> Resolve(const std::string& name, ComponentDatabase& database) override;

    // Names met under Fail, in order, each once.
    const std::vector<std::string>& unresolved() const { return unresolved_; }
    // Throws UserError listing the unresolved names (trailing blanks cut),
    // when there are any.
    void ThrowIfUnresolved() const;

private:
    Policy policy_;
    std::vector<std::string> unresolved_;
};

}  // namespace rw
