#include "shell/about_box.h"

namespace rw {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
}

}  // namespace rw
