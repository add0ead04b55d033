#include "results/results_window.h"

namespace rw {

TNewReportForm::TNewReportForm(QWidget* parent) : QDialog(parent) {
    setObjectName("NewReportForm");
}

}  // namespace rw
