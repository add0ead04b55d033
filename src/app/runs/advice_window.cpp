#include "runs/advice_window.h"

namespace rw {

TAdvice::TAdvice(QWidget* parent) : QDialog(parent) {
    setObjectName("Advice");
}

}  // namespace rw
