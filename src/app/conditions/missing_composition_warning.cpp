#include "conditions/missing_composition_warning.h"

namespace rw {

TForm7::TForm7(QWidget* parent) : QDialog(parent) {
    setObjectName("Form7");
}

}  // namespace rw
