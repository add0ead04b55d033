#include "results/deactivation_window.h"

namespace rw {

TRasDisAkt::TRasDisAkt(QWidget* parent) : QDialog(parent) {
    setObjectName("RasDisAkt");
}

}  // namespace rw
