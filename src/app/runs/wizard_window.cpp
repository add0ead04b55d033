#include "runs/wizard_window.h"

namespace rw {

TForm16::TForm16(QWidget* parent) : QDialog(parent) {
    setObjectName("Form16");
}

}  // namespace rw
