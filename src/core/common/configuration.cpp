#include "common/configuration.h"

namespace rw {

namespace {
// Constant-initialised, so it holds its value before any static constructor runs.
constinit Configuration gConfiguration = Configuration::Working;
}  // namespace

Configuration CurrentConfiguration() { return gConfiguration; }

void SetConfiguration(Configuration configuration) { gConfiguration = configuration; }

}  // namespace rw
