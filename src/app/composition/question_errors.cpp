#include "composition/question_errors.h"

#include <QWidget>

#include "common/configuration.h"
#include "shell/ui_services.h"

namespace rw {

std::exception_ptr& PendingQuestionError() {
    static std::exception_ptr error;
    return error;
}

bool GuardQuestion(const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (...) {
        PendingQuestionError() = std::current_exception();
        return false;
    }
}

void ExplainRefusal(QWidget* dialog, const char* text) {
    if (WorkingConfiguration()) ui::ShowMessage(dialog, QString::fromUtf8(text));
}

}  // namespace rw
