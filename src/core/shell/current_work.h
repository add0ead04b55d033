#pragma once
#include <string>

#include "common/configuration.h"
#include "shell/program_context.h"

namespace rw {

// What the engineer works on now, as far as the main menu offers or refuses
// a function for it: the plant, its current sampling date and that date's
// files, the latest reforming calculation of the program run and the chosen
// results folder. The main window keeps one; every step that changes one of
// these tells the main window, which derives its menu from the record alone.
struct CurrentWork {
    Configuration configuration = Configuration::Working;

    // The plant and its current sampling date, as the program context has
    // them (TakeProgramContext).
    bool plantChosen = false;
    // Data folder + sample name: the stem of the date's files; empty before
    // a data selection or a data entry made a date current.
    std::string currentDate;
    bool conditionsFileExists = false;   // <stem>.dan
    bool compositionFileExists = false;  // <stem>.sk
    // A date with a complete fractional composition has been selected: the
    // fraction window has something to show.
    bool fractionDateKnown = false;

    // The stem of the date of the latest completed reforming calculation of
    // this program run; empty before the first.
    std::string calculatedDate;
    // A results folder was chosen ("Выбор результатов"): its table and graphs
    // have their svod.tmp.
    bool resultsFolderChosen = false;
    // The base folder's model-run settings choose the fast (secant) fitting.
    bool fastFitChosen = false;

    // The demonstration configuration switches these items at fixed steps
    // and keeps them until the next such step, whatever the files say.
    struct DescribedSwitches {
        bool reforming = true;      // "Риформинг"
        bool latestResults = true;  // "Результаты расчета"
        bool fraction = false;      // "Фракционный состав"
    } described;
};

// The state of every main-menu item that is not always there and enabled.
struct MenuStates {
    // "Информация", "Правка данных", "Расчет", "Результаты", "Графики".
    bool calculationMenusShown = false;
    // "Базовая папка...", "Проверка базовой папки", "Пересчет истории
    // установки...", "Пример".
    bool baseFolderItemsShown = false;
    bool canCalculate = false;          // "Риформинг"
    bool canShowLatestResults = false;  // "Результаты расчета"
    bool canShowFraction = false;       // "Фракционный состав"
    bool canShowFolderResults = false;  // "Таблица", "Графики" of the chosen folder
    bool canReplayHistory = false;      // "Пересчет истории установки..."
    bool fastFitChecked = false;  // "Быстрый подбор активности и подачи дихлорэтана"

    bool operator==(const MenuStates&) const = default;
};

MenuStates DeriveMenuStates(const CurrentWork& work);

// --- The steps that change the record -------------------------------------

// The plant, date and date files from the context, looking at the disk for
// the date's files (they may come and go behind the program's back).
void TakeProgramContext(CurrentWork& work, const ProgramContext& context);
// A data selection read the date's conditions; `compositionFound` when its
// composition file was read too, `completeFraction` when that holds a
// complete fractional composition.
void NoteDateSelected(CurrentWork& work, bool compositionFound, bool completeFraction);
// The sample chain starts over the sample date.
void NoteSampleChainStarted(CurrentWork& work);
// The conditions form was left without saving ("Назад").
void NoteConditionsFormLeft(CurrentWork& work);
// A reforming calculation of the current date came to its end: `declined`
// when the confirmation was answered "Нет", `completed` when results were
// stored.
void NoteCalculationSettled(CurrentWork& work, bool declined, bool completed);
void NoteResultsFolderChosen(CurrentWork& work);
// Another base folder: nothing of the old one is current any more.
void NoteBaseFolderChanged(CurrentWork& work);

}  // namespace rw
