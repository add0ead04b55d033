// reformer-cli calc: the reforming calculation of one sampling date without
// windows, as the menu command runs it when the user confirms everything
// unchanged.
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "command.h"
#include "common/errors.h"
#include "common/file_lock.h"
#include "runs/reforming_run.h"
#include "runs/reforming_workflow.h"
#include "runs/run_object.h"
#include "runs/run_settings.h"
#include "shell/plant_selection.h"
#include "shell/plant_table.h"
#include "shell/program_context.h"

namespace rw::cli {
namespace {

// The command line's answers: every question answered as a user who
// confirms everything unchanged; the model runs without a progress display.
class ScriptedAnswers : public ReformingQuestions {
public:
    bool Confirm(const std::string&, const std::string&, const std::string&) override { return true; }
    std::optional<ConditionsEditTexts> Review(const RunConditions& conditions, const std::string&) override {
        return UnchangedReviewTexts(conditions);
    }
    void RunStarted(TRavionObj&) override {}
    void RunEnded(bool) override {}
    void Settled(const ReformingOutcome&) override {}
};

int Calc(Invocation& inv) {
    const int plantIndex = TakePlantIndex(inv.args);
    const std::string fitText = TakeOption(inv.args, "--fit", "");
    if (inv.args.empty()) throw UsageError{"calc: нужен файл DAN"};
    if (inv.args.size() > 1) throw UsageError{"лишний аргумент «" + inv.args[1] + "»"};
    const std::string conditionsPath = inv.args[0];
    ReformingRequest request;
    if (!fitText.empty()) {
        FitMethod fit = FitMethod::Bisection;
        if (!ParseFitMethod(fitText, fit)) throw UsageError{"--fit: bisection или fast"};
        request.fit = fit;
    }

    // The model's working files and the plant's settings copies lie in the
    // base folder: one calculation at a time, with this plant's l90 and kfr1.
    BaseFolderLock lock(inv.base);
    ProgramContext& c = SelectPlantOnBase(inv.base, plantIndex);
    const size_t cut = conditionsPath.find_last_of("\\/");
    c.dataFolder = cut == std::string::npos ? std::string() : conditionsPath.substr(0, cut + 1);
    const std::string fileName = conditionsPath.substr(cut == std::string::npos ? 0 : cut + 1);
    c.sampleName = fileName.substr(0, fileName.find_last_of('.'));

    request.context = &c;
    TRavionObj& run = RavionObj();
    request.run = &run;
    ScriptedAnswers answers;
    const ReformingOutcome outcome = CalculateReforming(request, answers);
    if (outcome.end != ReformingEnd::Completed) throw UserError("Расчет невозможен: исходные файлы расчета пропали");

    // The exit codes decide nothing (DOS programs return what they like), but
    // an unusual one is worth seeing next to the results.
    std::cerr << "Запусков модели: " << run.ModelRuns;
    int nonZero = 0;
    for (int code : run.ExitCodes) nonZero += code != 0;
    if (nonZero) std::cerr << " (с ненулевым кодом завершения: " << nonZero << ", последний " << run.ExitCodes.back() << ")";
    std::cerr << "\n";
    std::cout << JoinLines(outcome.summaryLines, "\n") << "\n";
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
