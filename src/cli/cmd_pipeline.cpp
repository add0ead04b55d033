#include <iostream>

#include "command.h"
#include "pipeline/welcome_pipeline.h"

namespace rw::cli {
namespace {

int Pipeline(Invocation& inv) {
    WelcomePipelineOptions options;
    std::string unknown = TakeOption(inv.args, "--unknown", "fail");
    if (unknown != "fail" && unknown != "ignore") throw UsageError{"--unknown takes fail or ignore"};
    options.ignoreUnknown = unknown == "ignore";
    if (!inv.args.empty()) throw UsageError{"unexpected argument '" + inv.args[0] + "'"};
    RunWelcomePipeline(inv.base, options, std::cout);
    return 0;
}

const CommandRegistrar reg("pipeline", "pipeline [--unknown fail|ignore]",
                           "Runs the welcome pipeline without windows: plant row 11, sampling date 01-09-09.",
                           Pipeline);

}  // namespace
}  // namespace rw::cli
