#include "runs/fraction_wizard_window2.h"

namespace rw {

TForm18::TForm18(QWidget* parent) : QDialog(parent) {
    setObjectName("Form18");
}

}  // namespace rw
