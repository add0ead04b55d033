#include "conditions/field_rules.h"

namespace rw {

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
