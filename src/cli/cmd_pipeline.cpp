#include <iostream>

#include "command.h"
#include "composition/component_resolution.h"
#include "pipeline/welcome_pipeline.h"
#include "shell/program_context.h"

namespace rw::cli {
namespace {

// A path typed on the command line, in the program's '\' notation.
std::string ProgramNotation(std::string path) {
    for (char& ch : path)
        if (ch == '/') ch = '\\';
    return path;
}

// The command line's answers: progress on stdout; unknown components
// ignored or listed as a failure; a doubtful value saved only when asked
// for, else the chain stops with the question on stderr.
class ScriptedChainAnswers : public SampleChainQuestions {
public:
    ScriptedChainAnswers(bool ignoreUnknown, bool saveDoubtful)
        : ignoreUnknown_(ignoreUnknown), saveDoubtful_(saveDoubtful) {}
    void Progress(const std::string& line) override { std::cout << line << "\n"; }
    bool SaveDespite(const std::string& question) override {
        std::cerr << question << (saveDoubtful_ ? " Да\n" : " Нет\n");
        return saveDoubtful_;
    }
    ComponentResolver* Resolver() override { return ignoreUnknown_ ? &ignore_ : nullptr; }

private:
    bool ignoreUnknown_;
    bool saveDoubtful_;
    AutomaticResolver ignore_{AutomaticResolver::Policy::Ignore};
};

int Pipeline(Invocation& inv) {
    SampleChainRequest options;
    std::string unknown = TakeOption(inv.args, "--unknown", "fail");
    if (unknown != "fail" && unknown != "ignore") throw UsageError{"--unknown: fail или ignore"};
    const std::string doubtful = TakeOption(inv.args, "--doubtful", "stop");
    if (doubtful != "stop" && doubtful != "save") throw UsageError{"--doubtful: stop или save"};
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
    options.context = &Context();
    options.baseFolder = inv.base;
    ScriptedChainAnswers answers(unknown == "ignore", doubtful == "save");
    if (PrepareSampleDate(options, answers).end != SampleChainEnd::Prepared) {
        std::cerr << "Данные не сохранены, дата не подготовлена (--doubtful save сохраняет их всё же).\n";
        return 1;
    }
    return 0;
}

const CommandRegistrar reg(
    "pipeline",
    "pipeline [--unknown fail|ignore] [--doubtful stop|save] [--plant-index N] [--sample DD-MM-YY] [--feed FILE] "
    "[--catalyzate FILE] [--side-cut FILE]",
    "Готовит одну дату отбора без окон: установка в строке N (11), ее файл технологических условий "
    "DD-MM-YY.dan (01-09-09) переписывается сохранением набора данных, списки потоков загружаются (указанные "
    "отчеты или списки, иначе .SIR/.KAT/.BOK папки даты), формируется файл состава. Условия проверяются, как при "
    "сохранении в окне; сомнительное значение (сумма состава ВСГ) сохраняется только с --doubtful save.",
    Pipeline);

}  // namespace
}  // namespace rw::cli
