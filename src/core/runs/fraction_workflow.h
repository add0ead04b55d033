#pragma once
#include <string>

#include "runs/fraction_calculation.h"
#include "shell/program_context.h"

namespace rw {

// The save of the fractional-composition window ("Сохранить") as one flow:
// the typed date names the new sample, the new date's composition file is
// written (by the fraction program when the fractional composition changed),
// and the new date gets its conditions: found on disk, or entered on the
// conditions form prepared from the previous date's file. The window (and
// the wizard through it) answers the questions; a date that is ready goes on
// to the reforming calculation.

class FractionQuestions {
public:
    virtual ~FractionQuestions() = default;
    // The new sample is in force in the context (its name and the fraction
    // folder as data folder), named after `dateText` (as it will stand in
    // the file names' date). This stays even if the save fails later.
    virtual void SampleNamed(const std::string& dateText) = 0;
    // The fraction program has finished and written its results; the new
    // composition file is written next. Only when the composition changed.
    virtual void ProgramFinished() {}
    // A message the user must read before the flow goes on (CR separates lines).
    virtual void Tell(const std::string& message) = 0;
    // The conditions form for the new date, prepared from the previous
    // date's file, to be saved as `conditionsPath`: true when the user
    // completed it.
    virtual bool EnterConditions(const NewDateConditions& prepared, const std::string& conditionsPath) = 0;
};

struct FractionRequest {
    ProgramContext* context = nullptr;
    std::string dateText;  // "Дата отбора" as typed
    FractionTexts typed;   // the new date's six values as typed
    FractionTexts base;    // the base sample's six, as the composition editor holds them
    FractionProgramStarter start = DefaultFractionProgramStarter();
    // A face that cannot show the conditions form (the command line): a new
    // date without its conditions file is refused before anything is written.
    bool refuseWithoutConditions = false;
};

enum class FractionEnd {
    ConditionsExisted,     // the new date had its conditions file already
    ConditionsEntered,     // the form was completed, or left the file behind
    ConditionsNotEntered,  // the form was left without a conditions file
};

struct FractionOutcome {
    FractionEnd end = FractionEnd::ConditionsNotEntered;
    FractionSave save;
    // The new date has its composition and conditions files: the reforming
    // calculation may follow.
    bool ReadyToCalculate() const { return end != FractionEnd::ConditionsNotEntered; }
};

// The working configuration reads the typed date in any of the accepted
// notations and names the files dd.mm.yy; a text that is no date throws
// UserError(NotADateMessage("Дата отбора", text)) before anything changes.
// The described configuration takes the text as typed. With
// refuseWithoutConditions and no conditions file for the new date it throws
// UserError(ConditionsFileMissingMessage) once the sample is named. Then StartFractionSave,
// WriteFractionSave and, without a conditions file for the date, the message
// ConditionsMissingMessage and the form (PrepareNewDateConditions); with one,
// the message kConditionsExistMessage. Throws what those steps throw (values
// that are no numbers, a fraction program that cannot be started, fails or
// writes nothing, files that cannot be read or written); the new date's
// composition file is then not written.
// "Нет файла технологических условий на дату <sample name>: <file>. Состав
// не записан." (the file in native notation).
std::string ConditionsFileMissingMessage(const std::string& sampleName, const std::string& conditionsPath);

FractionOutcome CalculateFraction(const FractionRequest& request, FractionQuestions& questions);

}  // namespace rw
