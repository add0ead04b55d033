#include "shell/current_work.h"

#include "common/files.h"

namespace rw {

MenuStates DeriveMenuStates(const CurrentWork& work) {
    MenuStates states;
    states.canShowFolderResults = work.resultsFolderChosen;
    states.fastFitChecked = work.fastFitChosen;
    if (work.configuration == Configuration::Described) {
        // The demonstration shows the date functions only and keeps the states
        // its steps switched; the hidden replay item keeps the state it was
        // made with.
        states.canCalculate = work.described.reforming;
        states.canShowLatestResults = work.described.latestResults;
        states.canShowFraction = work.described.fraction;
        states.canReplayHistory = true;
        return states;
    }
    states.calculationMenusShown = true;
    states.baseFolderItemsShown = true;
    // "Риформинг" reads the date's conditions and composition files; the
    // wizards, studies, dosing and deactivation choose their own files.
    states.canCalculate = !work.currentDate.empty() && work.conditionsFileExists && work.compositionFileExists;
    // The results of a calculation are offered with the date they belong to:
    // after another date is selected they would be taken for that date's.
    states.canShowLatestResults = !work.calculatedDate.empty() && work.calculatedDate == work.currentDate;
    states.canShowFraction = work.fractionDateKnown;
    // The replay works on the selected plant's dates.
    states.canReplayHistory = work.plantChosen;
    return states;
}

void TakeProgramContext(CurrentWork& work, const ProgramContext& context) {
    work.plantChosen = !context.plantFolder.empty();
    work.currentDate.clear();
    if (!context.dataFolder.empty() && !context.sampleName.empty()) {
        work.currentDate = context.dataFolder + context.sampleName;
    }
    work.conditionsFileExists = !work.currentDate.empty() && FileExists(work.currentDate + ".dan");
    work.compositionFileExists = !work.currentDate.empty() && FileExists(work.currentDate + ".sk");
    work.fractionDateKnown = !context.lastSampleName.empty();
}

void NoteDateSelected(CurrentWork& work, bool compositionFound, bool completeFraction) {
    if (compositionFound) {
        work.described.reforming = true;
        if (completeFraction) work.described.fraction = true;
    }
    work.described.latestResults = false;
}

void NoteSampleChainStarted(CurrentWork& work) {
    work.described.reforming = false;
    work.described.latestResults = false;
}

void NoteConditionsFormLeft(CurrentWork& work) { work.described.fraction = false; }

void NoteCalculationSettled(CurrentWork& work, bool declined, bool completed) {
    if (completed) work.calculatedDate = work.currentDate;
    if (!declined) work.described.reforming = false;
    work.described.latestResults = true;
}

void NoteResultsFolderChosen(CurrentWork& work) { work.resultsFolderChosen = true; }

void NoteBaseFolderChanged(CurrentWork& work) {
    CurrentWork fresh;
    fresh.configuration = work.configuration;
    work = fresh;
}

}  // namespace rw
