#include "shell/welcome_window.h"

namespace rw {

TForm1::TForm1(QWidget* parent) : QDialog(parent) {
    setObjectName("Form1");
}

}  // namespace rw
