#include "runs/feed_info_window.h"

namespace rw {

TForm30::TForm30(QWidget* parent) : QDialog(parent) {
    setObjectName("Form30");
}

}  // namespace rw
