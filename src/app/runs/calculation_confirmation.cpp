#include "runs/calculation_confirmation.h"

namespace rw {

TForm6::TForm6(QWidget* parent) : QDialog(parent) {
    setObjectName("Form6");
}

}  // namespace rw
