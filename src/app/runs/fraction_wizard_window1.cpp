#include "runs/fraction_wizard_window1.h"

namespace rw {

TForm17::TForm17(QWidget* parent) : QDialog(parent) {
    setObjectName("Form17");
}

}  // namespace rw
