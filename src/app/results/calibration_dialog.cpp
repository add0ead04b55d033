#include "results/calibration_dialog.h"

namespace rw {

TForm11::TForm11(QWidget* parent) : QDialog(parent) {
    setObjectName("Form11");
}

}  // namespace rw
