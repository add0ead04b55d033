#pragma once
#include <stdexcept>
#include <string>

namespace rw {

// A failure whose message is what the user must read, word for word: the run
// time's English texts ("File not found") or the program's own Russian texts
// (UTF-8 inside the program). Windows show it in a message box, the command
// line prints it on stderr and exits with status 1.
class UserError : public std::runtime_error {
public:
    explicit UserError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace rw
