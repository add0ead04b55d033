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
    TForm1* form1 = nullptr;
    TForm3* form3 = nullptr;
    TForm4* form4 = nullptr;
    TForm5* form5 = nullptr;
    TForm6* form6 = nullptr;
    TForm7* form7 = nullptr;
    TForm8* form8 = nullptr;
    TForm9* form9 = nullptr;
    TForm10* form10 = nullptr;
    TForm11* form11 = nullptr;
    TForm12* form12 = nullptr;
    TForm15* form15 = nullptr;
    Tfrak1* frak1 = nullptr;
    TGraph* graph = nullptr;
    TAdvice* advice = nullptr;
    Tsvod* svod = nullptr;
    TForm16* form16 = nullptr;
    TForm17* form17 = nullptr;
    TForm18* form18 = nullptr;
    TForm19* form19 = nullptr;
    Tbasadan* basadan = nullptr;
    TFormb2* formb2 = nullptr;
    TFormb3* formb3 = nullptr;
    TFormb4* formb4 = nullptr;
    TForm30* form30 = nullptr;
    TTreeF* treeF = nullptr;
    TAddSub* addSub = nullptr;
    TResF* resF = nullptr;
    TM_A* m_A = nullptr;
    TFRep* fRep = nullptr;
    TRasDisAkt* rasDisAkt = nullptr;
    TNewReportForm* newReportForm = nullptr;
    TAboutBox* aboutBox = nullptr;
};

// Creates all windows in the start-up order. Called once from main (and by
// the window tests).
Windows& CreateWindows();
// The windows created by CreateWindows.
Windows& W();
// Deletes every window (end of the program, or between window tests).
void DestroyWindows();

}  // namespace rw
