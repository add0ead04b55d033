#include <iostream>

#include "command.h"
#include "results/results_index.h"

namespace rw::cli {
namespace {

int IndexAdd(Invocation& inv) {
    if (inv.args.size() != 2) throw UsageError{"index-add needs REZ and INDEX"};
    const std::string& resultsPath = inv.args[0];
    const std::string& indexPath = inv.args[1];
    AddToResultsIndex(resultsPath, indexPath);
    std::cout << indexPath << ": " << ReadResultsIndex(indexPath).size() << " records\n";
    return 0;
}

const CommandRegistrar reg("index-add", "index-add REZ INDEX",
                           "Adds a results file to a results index (INDEX is created if missing); "
                           "a record of the same date is replaced.",
                           IndexAdd);

}  // namespace
}  // namespace rw::cli
