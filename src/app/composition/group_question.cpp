#include "composition/group_question.h"

namespace rw {

TFormb3::TFormb3(QWidget* parent) : QDialog(parent) {
    setObjectName("Formb3");
}

}  // namespace rw
