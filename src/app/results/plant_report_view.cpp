#include "results/plant_report_view.h"

#include <QGroupBox>
#include <QLabel>

#include "results/activity_window.h"
#include "results/comparison_window.h"
#include "results/report_window.h"
#include "runs/advice_window.h"
#include "runs/feed_info_window.h"
#include "shell/program_context.h"
#include "shell/window_registry.h"

namespace rw {

namespace {

std::string T(const QLabel* label) { return label ? label->text().toStdString() : std::string(); }

}  // namespace

PlantReportTexts CurrentPlantReportTexts() {
    PlantReportTexts t;
    t.plantCaption = Context().plantCaption;

    const TForm12* f12 = W().form12;
    ComparisonWindowTexts& c = t.comparison;
    c.Label25 = T(f12->Label25);
    c.Label24 = T(f12->Label24);
    c.Label15 = T(f12->Label15);
    c.C1 = T(f12->C1);
    c.Label16 = T(f12->Label16);
    c.C2 = T(f12->C2);
    c.Label17 = T(f12->Label17);
    c.C3 = T(f12->C3);
    c.Label18 = T(f12->Label18);
    c.C4 = T(f12->C4);
    c.Label19 = T(f12->Label19);
    c.C5 = T(f12->C5);
    c.Label20 = T(f12->Label20);
    c.C6 = T(f12->C6);
    c.Label22 = T(f12->Label22);
    c.C7 = T(f12->C7);
    c.Label21 = T(f12->Label21);
    c.C8 = T(f12->C8);
    c.Label23 = T(f12->Label23);
    c.C9 = T(f12->C9);
    c.Label12 = T(f12->Label12);
    c.C10 = T(f12->C10);
    c.Label27 = T(f12->Label27);
    c.C11 = T(f12->C11);
    c.Label29 = T(f12->Label29);
    c.C12 = T(f12->C12);

    const TForm30* f30 = W().form30;
    FeedInfoWindowTexts& f = t.feedInfo;
    f.Label1 = T(f30->Label1);
    const QLabel* current[6] = {f30->F1, f30->F2, f30->F3, f30->F4, f30->F5, f30->F6};
    const QLabel* compared[6] = {f30->Ff1, f30->Ff2, f30->Ff3, f30->Ff4, f30->Ff5, f30->Ff6};
    for (size_t i = 0; i < 6; ++i) {
        f.captions[i] = T(f30->Captions[i]);
        f.current[i] = T(current[i]);
        f.compared[i] = T(compared[i]);
    }

    t.advice.Label2 = T(W().advice->Label2);
    t.advice.Label5 = T(W().advice->Label5);

    TM_A* m = W().m_A;
    // The research column follows the latest calculation even when the
    // window has not been opened since.
    m->ShowLatestCalculation();
    ActivityWindowTexts& a = t.activity;
    a.GroupBox1 = m->GroupBox1->title().toStdString();
    a.metalCaptions = {T(m->Label1), T(m->Label2), T(m->Label3), T(m->Label4)};
    a.metalResearch = {T(m->Mb1), T(m->Mb2), T(m->Mb3), T(m->Mb4)};
    a.metalCompared = {T(m->M1), T(m->M2), T(m->M3), T(m->M4)};
    a.GroupBox2 = m->GroupBox2->title().toStdString();
    a.acidCaptions = {T(m->Label12), T(m->Label13)};
    a.acidResearch = {T(m->Kb1), T(m->Kb2)};
    a.acidCompared = {T(m->K1), T(m->K2)};
    return t;
}

void ShowPlantReport() {
    const std::vector<std::string> lines = BuildPlantReport(CurrentPlantReportTexts());
    TFRep* rep = W().fRep;
    rep->Rep.Lines.clear();
    for (const std::string& line : lines) rep->Rep.Lines << QString::fromStdString(line);
    rep->Preview();
}

}  // namespace rw
