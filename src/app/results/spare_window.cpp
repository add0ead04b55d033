#include "results/spare_window.h"

namespace rw {

TForm15::TForm15(QWidget* parent) : QDialog(parent) {
    setObjectName("Form15");
}

}  // namespace rw
