#include "composition/carbon_number_question.h"

namespace rw {

TFormb4::TFormb4(QWidget* parent) : QDialog(parent) {
    setObjectName("Formb4");
}

}  // namespace rw
