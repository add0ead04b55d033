#include "composition/question_errors.h"

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

}  // namespace rw
