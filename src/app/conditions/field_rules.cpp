#include "conditions/field_rules.h"

#include <QLineEdit>

#include <algorithm>


namespace rw {

namespace {
bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
}  // namespace

int StrictFailPosition(const QString& text) {
    const int n = static_cast<int>(text.size());
    auto at = [&](int i) { return i < n ? text[i] : QChar(); };  // QChar() plays the end of the text
    int i = 0;
    bool valid = false;
    while (at(i) == QLatin1Char(' ')) ++i;
    if (at(i) == QLatin1Char('+') || at(i) == QLatin1Char('-')) ++i;
    while (IsDigit(at(i))) {
        ++i;
        valid = true;
    }
    if (at(i) == QLatin1Char('.')) {
        ++i;
        // A lone "." (or "-.") is accepted as a number.
        if (!valid && i >= n) valid = true;
        while (IsDigit(at(i))) {
            ++i;
            valid = true;
        }
    }
    if (at(i) == QLatin1Char('e') || at(i) == QLatin1Char('E')) {
        valid = false;
        ++i;
        if (at(i) == QLatin1Char('+') || at(i) == QLatin1Char('-')) ++i;
        while (IsDigit(at(i))) {
            ++i;
            valid = true;
        }
    }
    if (valid && i >= n) return 0;
    return i + 1;
}

QString StripToStrict(const QString& text, int* cursor) {
    QString t = text;
    for (;;) {
        int p = StrictFailPosition(t);
        if (p == 0 || p > t.size()) break;
        t.remove(p - 1, 1);
        if (cursor && *cursor >= p) --*cursor;
    }
    return t;
}

TypedLengthValidator::TypedLengthValidator(QLineEdit* edit, int maxChars)
    : QValidator(edit), maxChars_(maxChars), last_(edit->text()) {}

QValidator::State TypedLengthValidator::validate(QString& input, int&) const {
    if (input.size() > maxChars_ && input.size() > last_.size()) return Invalid;
    return Acceptable;
}

void LimitTypedLength(QLineEdit* edit, int maxChars) {
    auto* v = new TypedLengthValidator(edit, maxChars);
    edit->setValidator(v);
    QObject::connect(edit, &QLineEdit::textChanged, v, [v](const QString& t) { v->Remember(t); });
}

void FieldUndo::UserChange(const QString& before, const QString& after) {
    const int nb = static_cast<int>(before.size()), na = static_cast<int>(after.size());
    int p = 0;
    while (p < nb && p < na && before[p] == after[p]) ++p;
    int s = 0;
    while (s < nb - p && s < na - p && before[nb - 1 - s] == after[na - 1 - s]) ++s;
    const int removed = nb - p - s;
    const int inserted = na - p - s;
    const bool continues = available_ && typing_ && removed == 0 && inserted > 0 && p == typingEnd_;
    if (!continues) before_ = before;
    available_ = true;
    typing_ = inserted > 0;
    typingEnd_ = p + inserted;
}

void FieldUndo::Settle(const QString& text, int cursor) {
    known_ = text;
    if (typing_) typingEnd_ = cursor;
}

void FieldUndo::Clear() {
    available_ = false;
    typing_ = false;
    typingEnd_ = -1;
    before_.clear();
}

}  // namespace rw
