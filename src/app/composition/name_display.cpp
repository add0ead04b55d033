#include "composition/name_display.h"

#include "common/codepage.h"
#include "composition/editor_actions.h"

namespace rw {

QString DisplayName(const std::string& bytes) {
    return QString::fromStdString(editor_actions::NameCodePageIsDos() ? Cp866ToUtf8(bytes) : Cp1251ToUtf8(bytes));
}

}  // namespace rw
