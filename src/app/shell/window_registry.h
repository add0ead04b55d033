#pragma once

namespace rw {

class TForm1;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;
class TForm10;
class TForm11;
class TForm12;
class TForm15;
class Tfrak1;
class TGraph;
class TAdvice;
class Tsvod;
class TForm16;
class TForm17;
class TForm18;
class TForm19;
class Tbasadan;
class TFormb2;
class TFormb3;
class TFormb4;
class TForm30;
class TTreeF;
class TAddSub;
class TResF;
class TM_A;
class TFRep;
class TRasDisAkt;
class TNewReportForm;
class TAboutBox;

// Every window of the program, created once at start in this order and kept
// until the program ends; windows are shown and hidden, never re-created.
struct Windows {
    TForm1* form1 = nullptr;  // the welcome window, the first shown; closing it ends the program
    TForm3* form3 = nullptr;  // the exit confirmation
    TForm4* form4 = nullptr;  // plant selection
    TForm5* form5 = nullptr;  // the main window and its menu
    TForm6* form6 = nullptr;  // "Внимание !": the confirmation before a calculation
    TForm7* form7 = nullptr;  // data selection's warning: a date without a composition file
    TForm8* form8 = nullptr;  // the technological conditions of a sampling date; also the review before a run
    TForm9* form9 = nullptr;  // the feed and catalyzate composition editor
    TForm10* form10 = nullptr;  // "Информация": the help text
    TForm11* form11 = nullptr;  // the deactivation run's calibration dialog
    TForm12* form12 = nullptr;  // "Результаты проведенных расчетов": the latest calculation and a results file
    TForm15* form15 = nullptr;  // an empty spare window, created and never shown
    Tfrak1* frak1 = nullptr;  // "Фракционный состав" of the feed for a new sampling date
    TGraph* graph = nullptr;  // the graph of a results index parameter over the sampling dates
    TAdvice* advice = nullptr;  // "Рекомендации": catalyst state and chlorine-organics feed
    Tsvod* svod = nullptr;  // the summary table of a results index
    TForm16* form16 = nullptr;  // calculation wizard by hydrocarbon composition, its only step
    TForm17* form17 = nullptr;  // calculation wizard by fractional composition, step 1: the base date
    TForm18* form18 = nullptr;  // fractional-composition wizard, step 2: the new date's fraction
    TForm19* form19 = nullptr;  // fractional-composition wizard, the conditions step (never shown)
    Tbasadan* basadan = nullptr;  // the component list editor of a data entry
    TFormb2* formb2 = nullptr;  // question: enter an unknown substance into the database?
    TFormb3* formb3 = nullptr;  // question: the hydrocarbon group of a new substance
    TFormb4* formb4 = nullptr;  // question: the carbon number of a new substance
    TForm30* form30 = nullptr;  // "Информация": the feed's fractional composition, current and compared
    TTreeF* treeF = nullptr;  // the choice of a results folder, which builds svod.tmp
    TAddSub* addSub = nullptr;  // "Уточнение названия компонента": the component a new substance counts as
    TResF* resF = nullptr;  // a study's choice of conditions, composition and results files
    TM_A* m_A = nullptr;  // "Металлическая и кислотная активность" of the catalyst
    TFRep* fRep = nullptr;  // "Отчет": a block of text in a print preview
    TRasDisAkt* rasDisAkt = nullptr;  // "Расчет дизактивации": catalyst deactivation between two dates
    TNewReportForm* newReportForm = nullptr;  // "Результаты расчета": the summary of the last run
    TAboutBox* aboutBox = nullptr;  // the about box
};

// Creates all windows in the start-up order. Called once from main (and by
// the window tests).
Windows& CreateWindows();
// The windows created by CreateWindows.
Windows& W();
// Deletes every window (end of the program, or between window tests).
void DestroyWindows();

}  // namespace rw
