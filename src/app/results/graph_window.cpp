#include "results/graph_window.h"

namespace rw {

TGraph::TGraph(QWidget* parent) : QDialog(parent) {
    setObjectName("Graph");
}

}  // namespace rw
