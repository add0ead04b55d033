#include "composition/candidate_choice.h"

namespace rw {

TAddSub::TAddSub(QWidget* parent) : QDialog(parent) {
    setObjectName("AddSub");
}

}  // namespace rw
