#include "results/report_window.h"

namespace rw {

TFRep::TFRep(QWidget* parent) : QDialog(parent) {
    setObjectName("FRep");
}

}  // namespace rw
