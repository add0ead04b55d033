#include "shell/window_registry.h"

#include "shell/welcome_window.h"
#include "shell/exit_confirmation.h"
#include "shell/plant_window.h"
#include "shell/main_window.h"
#include "runs/calculation_confirmation.h"
#include "conditions/missing_composition_warning.h"
#include "conditions/conditions_form.h"
#include "composition/composition_editor.h"
#include "results/help_window.h"
#include "results/calibration_dialog.h"
#include "results/comparison_window.h"
#include "results/spare_window.h"
#include "runs/fraction_window.h"
#include "results/graph_window.h"
#include "runs/advice_window.h"
#include "results/summary_table_window.h"
#include "runs/wizard_window.h"
#include "runs/fraction_wizard_window1.h"
#include "runs/fraction_wizard_window2.h"
#include "runs/fraction_wizard_window3.h"
#include "composition/component_list_editor.h"
#include "composition/unknown_component_question.h"
#include "composition/group_question.h"
#include "composition/carbon_number_question.h"
#include "runs/feed_info_window.h"
#include "results/results_folder_window.h"
#include "composition/candidate_choice.h"
#include "runs/research_files_window.h"
#include "results/activity_window.h"
#include "results/report_window.h"
#include "results/deactivation_window.h"
#include "results/results_window.h"
#include "shell/about_box.h"

namespace rw {

namespace {
Windows g_windows;
}

Windows& W() { return g_windows; }

Windows& CreateWindows() {
    Windows& w = g_windows;
    w.form1 = new TForm1();
    w.form3 = new TForm3();
    w.form4 = new TForm4();
    w.form5 = new TForm5();
    w.form6 = new TForm6();
    w.form7 = new TForm7();
    w.form8 = new TForm8();
    w.form9 = new TForm9();
    w.form10 = new TForm10();
    w.form11 = new TForm11();
    w.form12 = new TForm12();
    w.form15 = new TForm15();
    w.frak1 = new Tfrak1();
    w.graph = new TGraph();
    w.advice = new TAdvice();
    w.svod = new Tsvod();
    w.form16 = new TForm16();
    w.form17 = new TForm17();
    w.form18 = new TForm18();
    w.form19 = new TForm19();
    w.basadan = new Tbasadan();
    w.formb2 = new TFormb2();
    w.formb3 = new TFormb3();
    w.formb4 = new TFormb4();
    w.form30 = new TForm30();
    w.treeF = new TTreeF();
    w.addSub = new TAddSub();
    w.resF = new TResF();
    w.m_A = new TM_A();
    w.fRep = new TFRep();
    w.rasDisAkt = new TRasDisAkt();
    w.newReportForm = new TNewReportForm();
    w.aboutBox = new TAboutBox();
    return w;
}

void DestroyWindows() {
    // Reverse order of creation.
    Windows& w = g_windows;
    delete w.aboutBox;
    delete w.newReportForm;
    delete w.rasDisAkt;
    delete w.fRep;
    delete w.m_A;
    delete w.resF;
    delete w.addSub;
    delete w.treeF;
    delete w.form30;
    delete w.formb4;
    delete w.formb3;
    delete w.formb2;
    delete w.basadan;
    delete w.form19;
    delete w.form18;
    delete w.form17;
    delete w.form16;
    delete w.svod;
    delete w.advice;
    delete w.graph;
    delete w.frak1;
    delete w.form15;
    delete w.form12;
    delete w.form11;
    delete w.form10;
    delete w.form9;
    delete w.form8;
    delete w.form7;
    delete w.form6;
    delete w.form5;
    delete w.form4;
    delete w.form3;
    delete w.form1;
    w = Windows{};
}

}  // namespace rw
