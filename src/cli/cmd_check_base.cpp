// reformer-cli check-base: a base folder read whole before its first
// calculation, the same report as the program's window.
#include <iostream>

#include "command.h"
#include "runs/base_check.h"

namespace rw::cli {
namespace {

int CheckBase(Invocation& inv) {
    if (inv.args.size() > 1) throw UsageError{"лишний аргумент «" + inv.args[1] + "»"};
    const BaseCheckReport report = CheckBaseFolder(inv.args.empty() ? inv.base : inv.args[0]);
    std::cout << report.Text();
    return report.Errors() > 0 ? 1 : 0;
}

const CommandRegistrar reg("check-base", "check-base [DIR]",
                           "Читает всю базовую папку (по умолчанию используемую) и сообщает по каждой установке "
                           "даты отбора, файлы, записи истории и программы модели; код завершения 1, когда "
                           "что-то помешает расчету.",
                           CheckBase);

}  // namespace
}  // namespace rw::cli
