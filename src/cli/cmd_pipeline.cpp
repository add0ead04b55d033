#include <iostream>

#include "command.h"
#include "pipeline/welcome_pipeline.h"

namespace rw::cli {
namespace {

// A path typed on the command line, in the program's '\' notation.
std::string ProgramNotation(std::string path) {
    for (char& ch : path)
        if (ch == '/') ch = '\\';
    return path;
}

int Pipeline(Invocation& inv) {
    WelcomePipelineOptions options;
    std::string unknown = TakeOption(inv.args, "--unknown", "fail");
    if (unknown != "fail" && unknown != "ignore") throw UsageError{"--unknown: fail или ignore"};
    options.ignoreUnknown = unknown == "ignore";
    const std::string row = TakeOption(inv.args, "--plant-index", std::to_string(kWelcomePlantRow));
    if (row.empty() || row.size() > 2 || row.find_first_not_of("0123456789") != std::string::npos)
        throw UsageError{"--plant-index: строка таблицы установок от 0 до 16"};
    options.plantRow = std::stoi(row);
    options.sample = TakeOption(inv.args, "--sample", kWelcomeSample);
    const std::string& s = options.sample;
    if (s.size() != 8 || s[2] != '-' || s[5] != '-') throw UsageError{"--sample: дата отбора в виде ДД-ММ-ГГ"};
    const char* const streamOptions[] = {"--feed", "--catalyzate", "--side-cut"};
    for (size_t i = 0; i < 3; ++i) options.streamFiles[i] = ProgramNotation(TakeOption(inv.args, streamOptions[i]));
    if (!inv.args.empty()) throw UsageError{"лишний аргумент «" + inv.args[0] + "»"};
    RunWelcomePipeline(inv.base, options, std::cout);
    return 0;
}

const CommandRegistrar reg(
    "pipeline",
    "pipeline [--unknown fail|ignore] [--plant-index N] [--sample DD-MM-YY] [--feed FILE] [--catalyzate FILE] "
    "[--side-cut FILE]",
    "Готовит одну дату отбора без окон: установка в строке N (11), ее файл технологических условий "
    "DD-MM-YY.dan (01-09-09) переписывается сохранением набора данных, списки потоков загружаются (указанные "
    "отчеты или списки, иначе .SIR/.KAT/.BOK папки даты), формируется файл состава.",
    Pipeline);

}  // namespace
}  // namespace rw::cli
