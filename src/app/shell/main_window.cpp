#include "shell/main_window.h"

namespace rw {

TForm5::TForm5(QWidget* parent) : QMainWindow(parent) {
    setObjectName("Form5");
}

}  // namespace rw
