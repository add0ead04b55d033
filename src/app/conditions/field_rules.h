#pragma once
#include <QString>

namespace rw {

// The one-step undo of a field as the exit checks need it: the text the field
// had before the user's last change. Consecutive typed characters count as
// one change, as in a native edit control; a change made by the program
// (outside a filter running on the user's change) clears the history.
class FieldUndo {
public:
    // A change typed or pasted by the user, `before` being the text it replaced.
    void UserChange(const QString& before, const QString& after);
    // The text after the change has been handled (filters included); `cursor`
    // is where typing would continue.
    void Settle(const QString& text, int cursor);
    void Clear();
    bool Available() const { return available_; }
    const QString& Before() const { return before_; }
    const QString& Known() const { return known_; }

private:
    QString known_;          // text after the last handled change
    QString before_;         // text before the user's last change
    bool available_ = false;
    bool typing_ = false;    // the last change inserted typed text
    int typingEnd_ = -1;     // where that typing would continue
};

}  // namespace rw
