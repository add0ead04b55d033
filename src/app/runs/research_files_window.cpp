#include "runs/research_files_window.h"

namespace rw {

TResF::TResF(QWidget* parent) : QDialog(parent) {
    setObjectName("ResF");
}

}  // namespace rw
