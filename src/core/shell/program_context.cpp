#include "shell/program_context.h"

namespace rw {

ProgramContext& Context() {
    static ProgramContext context;
    return context;
}

}  // namespace rw
