#include "runs/fraction_window.h"

namespace rw {

Tfrak1::Tfrak1(QWidget* parent) : QDialog(parent) {
    setObjectName("frak1");
}

}  // namespace rw
