// reformer-cli fraction: the save of the fractional-composition window
// without windows. A new sampling date with only its distillation curve and
// density measured gets its composition file from the date of the last full
// analysis.
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "command.h"
#include "common/errors.h"
#include "common/file_lock.h"
#include "common/files.h"
#include "conditions/data_selection.h"
#include "runs/fraction_workflow.h"
#include "shell/plant_selection.h"
#include "shell/program_context.h"

namespace rw::cli {
namespace {

// The conditions file is given on the command line: nothing to choose.
class GivenDataFile : public DataSelectionQuestions {
public:
    std::optional<std::string> ChooseConditionsFile(const std::string&) override { return std::nullopt; }
    void ConditionsSelected(const ConditionsSelection&) override {}
};

// The save's messages go to the output; the conditions form never opens, as
// the request refuses a date without its conditions file before it would.
class ScriptedAnswers : public FractionQuestions {
public:
    void SampleNamed(const std::string&) override {}
    void Tell(const std::string& message) override {
        std::string lines = message;
        for (char& ch : lines) {
            if (ch == '\r') ch = '\n';
        }
        std::cout << lines << "\n";
    }
    bool EnterConditions(const NewDateConditions&, const std::string&) override { return false; }
};

int Fraction(Invocation& inv) {
    const int plantIndex = TakePlantIndex(inv.args);
    const std::size_t wanted = 2 + kFractionValues;
    if (inv.args.size() < wanted)
        throw UsageError{"fraction: нужны DAN, дата отбора и шесть значений фракционного состава"};
    if (inv.args.size() > wanted) throw UsageError{"лишний аргумент «" + inv.args[wanted] + "»"};

    // base\sk, sum-fr, kfr1 and the fraction program are shared by every
    // instance on the base folder: one save at a time, with this plant's settings.
    BaseFolderLock lock(inv.base);
    ProgramContext& c = SelectPlantOnBase(inv.base, plantIndex);

    // The base sample is taken as the program takes it: the date of DAN made
    // current by data selection, its composition file's fractional composition.
    DataSelectionRequest selection;
    selection.context = &c;
    selection.dataFile = inv.args[0];
    GivenDataFile given;
    const DataSelectionOutcome selected = SelectSamplingDate(selection, given);
    if (selected.end != DataSelectionEnd::Selected) {
        throw UserError("Нет файла состава сырья и катализата: " + ToNative(c.dataFolder + c.sampleName + ".sk"));
    }
    if (!selected.composition.completeTail) {
        throw UserError(std::string(kNoFractionData) + " " + ToNative(FractionBaseFile(c)));
    }

    FractionRequest request;
    request.context = &c;
    request.dateText = inv.args[1];
    for (std::size_t i = 0; i < request.typed.size(); ++i) request.typed[i] = inv.args[2 + i];
    request.base = selected.composition.fractionTexts;
    request.refuseWithoutConditions = true;
    ScriptedAnswers answers;
    const FractionOutcome outcome = CalculateFraction(request, answers);
    std::cout << ToNative(outcome.save.compositionPath) << "\n";
    return 0;
}

const CommandRegistrar reg(
    "fraction", "fraction DAN DATE NK T10 T50 T90 KK DENSITY [--plant-index N]",
    "Состав сырья на новую дату отбора DATE по фракционному составу (температуры НК, 10 %, 50 %, 90 %, КК и "
    "плотность сырья, г/см3): за основу берется дата последнего полного анализа, файл технологических условий "
    "DAN и файл состава .sk рядом с ним. Если фракционный состав не изменился, состав копируется, иначе его "
    "пересчитывает программа фракционного состава установки в строке N (по умолчанию 11) в BASE. Файл "
    "технологических условий новой даты (ДД-ММ-ГГ.dan) должен уже лежать в папке Fr "
    "установки: без него ничего не записывается. Выводит путь к записанному файлу .sk.",
    Fraction);

}  // namespace
}  // namespace rw::cli
