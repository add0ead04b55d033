#include <iostream>

#include "command.h"
#include "results/results_index.h"

namespace rw::cli {
namespace {

int IndexAdd(Invocation& inv) {
    if (inv.args.size() != 2) throw UsageError{"index-add: нужны REZ и INDEX"};
    const std::string& resultsPath = inv.args[0];
    const std::string& indexPath = inv.args[1];
    AddToResultsIndex(resultsPath, indexPath);
    std::cout << indexPath << ": " << ReadResultsIndex(indexPath).size() << " records\n";
    return 0;
}

const CommandRegistrar reg("index-add", "index-add REZ INDEX",
                           "Добавляет файл результатов в сводный файл результатов (INDEX создается, если "
                           "его нет); запись той же даты заменяется.",
                           IndexAdd);

}  // namespace
}  // namespace rw::cli
