#include "conditions/conditions_form.h"

namespace rw {

TForm8::TForm8(QWidget* parent) : QDialog(parent) {
    setObjectName("Form8");
}

}  // namespace rw
