#include "composition/composition_editor.h"

namespace rw {

TForm9::TForm9(QWidget* parent) : QDialog(parent) {
    setObjectName("Form9");
}

}  // namespace rw
