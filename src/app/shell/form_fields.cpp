#include "shell/form_fields.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/configuration.h"
#include "common/dates.h"

namespace rw {

namespace {
bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
const QDate kDateZero(1899, 12, 30);

template <class Control>
Control* Named(QWidget* owner, const QString& name, const QString& text) {
    auto* control = new Control(text, owner);
    control->setObjectName(name);
    return control;
}

}  // namespace

QLabel* NamedLabel(QWidget* owner, const QString& name, const QString& text) {
    return Named<QLabel>(owner, name, text);
}

QPushButton* NamedButton(QWidget* owner, const QString& name, const QString& text) {
    // The button words the windows share keep their English captions only in
    // the described configuration.
    if (WorkingConfiguration()) {
        if (text == QLatin1String("OK")) return Named<QPushButton>(owner, name, QStringLiteral("ОК"));
        if (text == QLatin1String("Cancel")) return Named<QPushButton>(owner, name, QStringLiteral("Отмена"));
    }
    return Named<QPushButton>(owner, name, text);
}

QLabel* BoldLabel(QWidget* owner, const QString& name, const QString& text) {
    QLabel* label = NamedLabel(owner, name, text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QDate ToQDate(double value) {
    int y = 0, m = 0, d = 0;
    DecodeDate(value, y, m, d);
    return QDate(y, m, d);
}

double DateValue(const QDate& date) { return static_cast<double>(kDateZero.daysTo(date)); }

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

void FilterToStrict(QLineEdit* edit, bool& filtering) {
    int cursor = edit->cursorPosition();
    const QString clean = StripToStrict(edit->text(), &cursor);
    if (clean == edit->text()) return;
    filtering = true;
    edit->setText(clean);
    edit->setCursorPosition(cursor);
    filtering = false;
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

}  // namespace rw
