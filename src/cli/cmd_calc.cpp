// reformer-cli calc: the reforming calculation of one sampling date without
// windows, as the menu command runs it when the user confirms everything
// unchanged.
#include <iostream>
#include <string>
#include <vector>

#include "command.h"
#include "common/errors.h"
#include "common/file_lock.h"
#include "common/files.h"
#include "conditions/conditions_file.h"
#include "results/results_index.h"
#include "runs/reforming_run.h"
#include "runs/run_object.h"
#include "runs/run_settings.h"
#include "shell/plant_selection.h"
#include "shell/plant_table.h"
#include "shell/program_context.h"

namespace rw::cli {
namespace {

int PlantIndexOption(std::vector<std::string>& args) {
    const std::string text = TakeOption(args, "--plant-index", "11");
    int index = -1;
    try {
        size_t used = 0;
        index = std::stoi(text, &used);
        if (used != text.size()) index = -1;
    } catch (const std::exception&) {
    }
    if (index < 0 || index >= kPlantCount) throw UsageError{"--plant-index: строка таблицы установок от 0 до 16"};
    return index;
}

int Calc(Invocation& inv) {
    const int plantIndex = PlantIndexOption(inv.args);
    const std::string fitText = TakeOption(inv.args, "--fit", "");
    if (inv.args.empty()) throw UsageError{"calc: нужен файл DAN"};
    if (inv.args.size() > 1) throw UsageError{"лишний аргумент «" + inv.args[1] + "»"};
    const std::string conditionsPath = inv.args[0];

    ProgramContext& c = Context();
    c.baseFolder = inv.base;
    c.modelBaseFolder = inv.base;
    // The model's working files and the plant's settings copies lie in the
    // base folder: one calculation at a time, with this plant's l90 and kfr1.
    BaseFolderLock lock(inv.base);
    SelectPlant(c, plantIndex);
    FinishPlantSelection(c, plantIndex);
    const size_t cut = conditionsPath.find_last_of("\\/");
    c.dataFolder = cut == std::string::npos ? std::string() : conditionsPath.substr(0, cut + 1);
    const std::string fileName = conditionsPath.substr(cut == std::string::npos ? 0 : cut + 1);
    c.sampleName = fileName.substr(0, fileName.find_last_of('.'));

    TRavionObj& run = RavionObj();
    SetUpReformingRun(run, c, conditionsPath);
    // Without --fit the installation's setting decides (the bisection unless chosen otherwise).
    run.Fit = ReadModelRunSettings(inv.base).fit;
    if (!fitText.empty() && !ParseFitMethod(fitText, run.Fit)) throw UsageError{"--fit: bisection или fast"};
    // Nothing is touched unless the run can take place: the conditions file is
    // rewritten only for a run.
    std::string missing;
    for (const std::string* path : {&run.ConditionsPath, &run.CompositionPath, &run.ProgramPath}) {
        if (!FileExists(*path)) missing += (missing.empty() ? "" : ", ") + ToNative(*path);
    }
    if (!missing.empty()) throw UserError("Расчет невозможен, нет файлов: " + missing);

    // The review form, confirmed unchanged, gives the values back in its text
    // formats; the conditions file is rewritten in the run layout from them.
    RunConditions r = c.runConditions;
    ReadRunConditions(conditionsPath, c.reactorCount, r);
    PassThroughReviewForm(r);
    c.runConditions = r;
    RewriteConditionsInRunLayout(conditionsPath, r, c.reactorCount);

    run.Run();
    if (!run.Done) throw UserError("Расчет невозможен: исходные файлы расчета пропали");
    AddToResultsIndex(run.ResultsPath, PlantResultsIndexPath(c));

    // The exit codes decide nothing (DOS programs return what they like), but
    // an unusual one is worth seeing next to the results.
    std::cerr << "Запусков модели: " << run.ModelRuns;
    int nonZero = 0;
    for (int code : run.ExitCodes) nonZero += code != 0;
    if (nonZero) std::cerr << " (с ненулевым кодом завершения: " << nonZero << ", последний " << run.ExitCodes.back() << ")";
    std::cerr << "\n";
    std::cout << JoinLines(ReformingSummaryLines(c.sampleName, r[run_slot::kProcessedFeed], run.Results, plantIndex), "\n")
              << "\n";
    return 0;
}

const CommandRegistrar reg(
    "calc", "calc DAN [--plant-index N] [--fit bisection|fast]",
    "Расчет риформинга на дату отбора файла технологических условий DAN для установки в строке N (по "
    "умолчанию 11): условия переписываются в формате расчета, активность и подача дихлорэтана подбираются "
    "программой модели установки в BASE, .rez файла DAN записывается и добавляется в BASE/svod.(N+1), итог "
    "выводится на экран. --fit fast подбирает за меньшее число запусков модели с теми же допусками (по "
    "умолчанию: BASE/model-runs.ini, иначе bisection, деление пополам). Неудачный запуск модели оставляет .rez "
    "и сводный файл как были.",
    Calc);

}  // namespace
}  // namespace rw::cli
