#include "results/summary_table_window.h"

namespace rw {

Tsvod::Tsvod(QWidget* parent) : QDialog(parent) {
    setObjectName("svod");
}

}  // namespace rw
