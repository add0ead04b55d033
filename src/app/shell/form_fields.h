#pragma once
#include <QDate>
#include <QString>
#include <QValidator>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace rw {

// The pieces every window builds its fields from: named controls, the
// date pickers' conversion, the typing limits and the strict number filter.

// A label or button with its text and its control name (the object name the
// window tests find it by).
QLabel* NamedLabel(QWidget* owner, const QString& name, const QString& text);
QPushButton* NamedButton(QWidget* owner, const QString& name, const QString& text);
// A named label in the bold face of the window's font.
QLabel* BoldLabel(QWidget* owner, const QString& name, const QString& text);

// A stored date value (days since 30.12.1899, the fraction the time of day)
// as a date picker shows it; a value without a calendar date (a damaged
// file) gives an invalid QDate, which a picker ignores.
QDate ToQDate(double value);
// The stored value of a picker's date (0 for an invalid date).
double DateValue(const QDate& date);

// The strict reading of a typed number: leading blanks, an optional sign,
// digits with an optional "." and fraction, an optional exponent ("E" or
// "e", optional sign, digits), nothing else; the regional setting does not
// count. Returns 0 when the text is a number, otherwise the 1-based position
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

// Runs the keystroke filter over the edit's text and puts the result back,
// the cursor where typing goes on. `filtering` is true while the edit's own
// change handler sees the correction (it returns at once then).
void FilterToStrict(QLineEdit* edit, bool& filtering);

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

}  // namespace rw
