#include "results/results_folder_window.h"

namespace rw {

TTreeF::TTreeF(QWidget* parent) : QDialog(parent) {
    setObjectName("TreeF");
}

}  // namespace rw
