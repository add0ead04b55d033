#include "composition/unknown_component_question.h"

namespace rw {

TFormb2::TFormb2(QWidget* parent) : QDialog(parent) {
    setObjectName("Formb2");
}

}  // namespace rw
