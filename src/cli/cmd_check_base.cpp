// reformer-cli check-base: a base folder read whole before its first
// calculation, the same report as the program's window.
#include <iostream>

#include "command.h"
#include "runs/base_check.h"

namespace rw::cli {
namespace {

int CheckBase(Invocation& inv) {
    if (inv.args.size() > 1) throw UsageError{"unexpected argument '" + inv.args[1] + "'"};
    const BaseCheckReport report = CheckBaseFolder(inv.args.empty() ? inv.base : inv.args[0]);
    std::cout << report.Text();
    return report.Errors() > 0 ? 1 : 0;
}

const CommandRegistrar reg("check-base", "check-base [DIR]",
                           "Reads a whole base folder (default: the one in use) and reports per plant its sampling "
                           "dates, files, history records and the model programs; exit status 1 when something "
                           "would stop a calculation.",
                           CheckBase);

}  // namespace
}  // namespace rw::cli
