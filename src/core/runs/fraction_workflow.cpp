#include "runs/fraction_workflow.h"

#include "common/configuration.h"
#include "common/dates.h"
#include "common/errors.h"
#include "common/files.h"

namespace rw {

std::string ConditionsFileMissingMessage(const std::string& sampleName, const std::string& conditionsPath) {
    return "Нет файла технологических условий на дату " + sampleName + ": " + ToNative(conditionsPath) +
           ". Состав не записан.";
}

FractionOutcome CalculateFraction(const FractionRequest& request, FractionQuestions& questions) {
    ProgramContext& context = *request.context;
    std::string dateText = request.dateText;
    if (WorkingConfiguration()) {
        // The date names the new date's files: read as typed ("1,10,09",
        // "011009", "2009-10-01"), written dd.mm.yy, and refused when it is no date.
        double date = 0;
        if (!ParseTypedDate(dateText, CurrentYear(), date)) throw UserError(NotADateMessage("Дата отбора", dateText));
        dateText = FormatDateShort(date);
    }
    FractionOutcome outcome;
    outcome.save = StartFractionSave(context, dateText);
    questions.SampleNamed(dateText);
    if (request.refuseWithoutConditions && !FileExists(outcome.save.conditionsPath)) {
        throw UserError(ConditionsFileMissingMessage(context.sampleName, outcome.save.conditionsPath));
    }

    WriteFractionSave(outcome.save, context, request.typed, request.base, request.start,
                      [&questions] { questions.ProgramFinished(); });
    if (outcome.save.conditionsExist) {
        questions.Tell(std::string(kConditionsExistMessage));
        outcome.end = FractionEnd::ConditionsExisted;
        return outcome;
    }
    questions.Tell(ConditionsMissingMessage(context.sampleName));
    const NewDateConditions prepared = PrepareNewDateConditions(context, outcome.save);
    const bool completed = questions.EnterConditions(prepared, outcome.save.conditionsPath);
    // "Сохранить" of the form hides it without a result of its own; the
    // date's conditions file on disk is what a run needs, so its presence
    // counts as the form having been completed.
    outcome.end = completed || FileExists(outcome.save.conditionsPath) ? FractionEnd::ConditionsEntered
                                                                        : FractionEnd::ConditionsNotEntered;
    return outcome;
}

}  // namespace rw
