#include "results/help_window.h"

namespace rw {

TForm10::TForm10(QWidget* parent) : QDialog(parent) {
    setObjectName("Form10");
}

}  // namespace rw
