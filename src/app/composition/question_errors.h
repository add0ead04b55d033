#pragma once
#include <exception>
#include <functional>

class QWidget;

namespace rw {

// The question dialogs run inside the formation; an error of the database
// (a missing candidate or group file, a missing ignore list) must not cross
// the dialog's event loop. It is kept here and raised again by the
// resolution when the dialog has closed.
std::exception_ptr& PendingQuestionError();

// Runs `step`; on an exception stores it as the pending error and returns
// false (the caller closes the dialog so the resolution can raise it).
bool GuardQuestion(const std::function<void()>& step);

// A refused answer keeps the question open; the working configuration says
// why (the described one stays silent).
void ExplainRefusal(QWidget* dialog, const char* text);

}  // namespace rw
