#include "results/comparison_window.h"

namespace rw {

TForm12::TForm12(QWidget* parent) : QDialog(parent) {
    setObjectName("Form12");
}

}  // namespace rw
