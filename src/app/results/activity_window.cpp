#include "results/activity_window.h"

namespace rw {

TM_A::TM_A(QWidget* parent) : QDialog(parent) {
    setObjectName("M_A");
}

}  // namespace rw
