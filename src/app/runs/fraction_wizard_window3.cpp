#include "runs/fraction_wizard_window3.h"

namespace rw {

TForm19::TForm19(QWidget* parent) : QDialog(parent) {
    setObjectName("Form19");
}

}  // namespace rw
