#include "composition/component_list_editor.h"

namespace rw {

Tbasadan::Tbasadan(QWidget* parent) : QDialog(parent) {
    setObjectName("basadan");
}

}  // namespace rw
