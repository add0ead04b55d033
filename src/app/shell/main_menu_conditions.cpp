// Main-menu handlers of data selection. Each may throw UserError (the menu
// shows the message; the welcome pipeline stops on it).
#include "shell/main_window.h"

#include "conditions/data_selection_ui.h"

namespace rw {

void TForm5::N12Click() {
    try {
        RunDataSelection();
    } catch (...) {
        UpdateActions();
        throw;
    }
    UpdateActions();
}

}  // namespace rw
