#pragma once
#include <QString>
#include <QValidator>

class QLineEdit;

namespace rw {

// The strict reading of a typed number: leading blanks, an optional sign,
// digits with an optional "." and fraction, an optional exponent ("E" or
// "e", optional sign, digits), nothing else; the regional setting plays no
// part. Returns 0 when the text is a number, otherwise the 1-based position
// of the character that stops the reading. A text that merely ends too early
// (a lone "-", an unfinished exponent such as "1e", an empty text) reports
// the position just past its end, so the typing filters leave it alone and
// the user can go on typing. A lone "." is a number (0).
int StrictFailPosition(const QString& text);

// The keystroke filter: removes the character at the failing position of
// the strict reading until the text passes or the position lies past the
// end. `cursor` (may be null) is moved left by the characters removed before
// it. Returns the filtered text.
QString StripToStrict(const QString& text, int* cursor = nullptr);

// Limits what the user can type into an edit to `maxChars` characters while
// texts set by the program may be longer (QLineEdit::setMaxLength would cut
// those). An edit already longer than the limit can still be shortened.
class TypedLengthValidator : public QValidator {
public:
    TypedLengthValidator(QLineEdit* edit, int maxChars);
    State validate(QString& input, int& pos) const override;
    // The text the edit held after the last accepted change.
    void Remember(const QString& text) { last_ = text; }

private:
    int maxChars_;
    QString last_;
};

// Installs a TypedLengthValidator on the edit and keeps it informed of every
// change of the edit's text.
void LimitTypedLength(QLineEdit* edit, int maxChars);

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
