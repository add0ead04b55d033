#include "shell/exit_confirmation.h"

namespace rw {

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
    setObjectName("Form3");
}

}  // namespace rw
