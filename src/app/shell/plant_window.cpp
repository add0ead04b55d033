#include "shell/plant_window.h"

namespace rw {

TForm4::TForm4(QWidget* parent) : QDialog(parent) {
    setObjectName("Form4");
}

}  // namespace rw
