// reformer-cli outlook and fleet: the catalyst cycle outlook of one plant and
// of every plant with a results history, the figures the windows show.
#include <iostream>
#include <string>

#include "command.h"
#include "common/errors.h"
#include "results/fleet.h"
#include "shell/plant_table.h"

namespace rw::cli {
namespace {

int PlantIndexArgument(std::vector<std::string>& args) {
    const std::string text = TakeOption(args, "--plant-index");
    if (text.empty()) throw UsageError{"outlook: нужен --plant-index N"};
    std::size_t used = 0;
    int index = -1;
    try {
        index = std::stoi(text, &used);
    } catch (const std::exception&) {
    }
    if (used != text.size() || index < 0 || index >= kPlantCount) {
        throw UsageError{"--plant-index: строка таблицы установок от 0 до 16"};
    }
    return index;
}

int Outlook(Invocation& inv) {
    const int plantIndex = PlantIndexArgument(inv.args);
    const std::string activity = TakeOption(inv.args, "--activity-limit");
    const std::string coke = TakeOption(inv.args, "--coke-limit");
    if (!inv.args.empty()) throw UsageError{"лишний аргумент «" + inv.args[0] + "»"};
    // Limits given here are for this answer only; the window's limits file
    // stays as the user left it.
    OutlookLimits limits = ReadOutlookLimits(OutlookLimitsPath(inv.base, plantIndex));
    if (!activity.empty()) limits.activity = ParseLimitText(activity, "--activity-limit");
    if (!coke.empty()) limits.coke = ParseLimitText(coke, "--coke-limit");
    const PlantOutlook p = LoadPlantOutlook(inv.base, plantIndex, limits);
    std::cout << p.caption << "\n";
    for (const std::string& line : OutlookLines(p.outlook, '.')) std::cout << line << "\n";
    return 0;
}

int Fleet(Invocation& inv) {
    if (!inv.args.empty()) throw UsageError{"лишний аргумент «" + inv.args[0] + "»"};
    const SummaryGrid grid = FleetGrid(LoadFleet(inv.base), '.');
    for (int row = 0; row < grid.rowCount; ++row) {
        for (int column = 0; column < grid.columnCount; ++column) {
            std::cout << (column ? "\t" : "") << grid.Cell(column, row);
        }
        std::cout << "\n";
    }
    return 0;
}

const CommandRegistrar outlookReg(
    "outlook", "outlook --plant-index N [--activity-limit A] [--coke-limit C]",
    "Прогноз цикла катализатора установки в строке N по BASE/svod.(N+1): текущий цикл, прямые, проведенные "
    "по активности и накопленному коксу в зависимости от переработанного сырья и дней, и где они достигают "
    "пределов (полоса 90 %). Пределы по умолчанию те, что запомнены в BASE/prognoz.(N+1).",
    Outlook);

const CommandRegistrar fleetReg("fleet", "fleet",
                                "По строке на каждую установку с историей результатов: последняя дата отбора, "
                                "активность, накопленный кокс, дни после регенерации, конец цикла («предел "
                                "достигнут» с датой записи, достигшей предела, или прогноз); сначала установки "
                                "на пределе, затем самый ранний прогноз. Через табуляцию, первой строкой заголовки.",
                                Fleet);

}  // namespace
}  // namespace rw::cli
