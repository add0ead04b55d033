#include "results/activity_window.h"
#include "common/configuration.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/files.h"
#include "common/regional.h"
#include "results/activity.h"
#include "results/latest_calculation.h"
#include "shell/dialog_builders.h"
#include "shell/form_fields.h"
#include "shell/window_helpers.h"
#include "shell/program_context.h"
#include "shell/ui_services.h"

namespace rw {

namespace {

QLabel* NewValue(QWidget* owner, const char* name, const QString& text) {
    // The working configuration shows no placeholder before the first values.
    QLabel* label = NamedLabel(owner, name, WorkingConfiguration() ? QString() : text);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(80);
    return label;
}

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

TM_A::TM_A(QWidget* parent) : QDialog(parent) {
    setObjectName("M_A");
    setWindowTitle("Металлическая и кислотная активность");
    SetFrameWithoutIcons(this);
    Ops.filter = "технологические данные (*.dan)";

    // The design caption names no case; the working configuration shows
    // nothing until a comparison case is chosen.
    Comper = NamedLabel(this, "Comper", WorkingConfiguration() ? QString() : QStringLiteral("Comper"));
    QFont bold = Comper->font();
    bold.setBold(true);
    Comper->setFont(bold);

    GroupBox1 = new QGroupBox("Металлическая активность", this);
    GroupBox1->setObjectName("GroupBox1");
    FieldGrid metal(16);
    Label10 = NamedLabel(GroupBox1, "Label10", "Исследование");
    Label11 = NamedLabel(GroupBox1, "Label11", "Сравнение");
    Label10->setFont(bold);
    Label11->setFont(bold);
    Label1 = NamedLabel(GroupBox1, "Label1", "Перепад температур");
    Label2 = NamedLabel(GroupBox1, "Label2", "Концентрация водорода");
    Label3 = NamedLabel(GroupBox1, "Label3", "Дегидроциклизация");
    Label4 = NamedLabel(GroupBox1, "Label4", "Выход водорода, % масс.");
    Mb1 = NewValue(GroupBox1, "Mb1", "Mb1");
    Mb2 = NewValue(GroupBox1, "Mb2", "Mb2");
    Mb3 = NewValue(GroupBox1, "Mb3", "Mb3");
    Mb4 = NewValue(GroupBox1, "Mb4", "Mb4");
    M1 = NewValue(GroupBox1, "M1", "0");
    M2 = NewValue(GroupBox1, "M2", "0");
    M3 = NewValue(GroupBox1, "M3", "0");
    M4 = NewValue(GroupBox1, "M4", "0");
    metal.AddHeading(nullptr, Label10, Label11);
    metal.AddRow(Label1, Mb1, M1);
    metal.AddRow(Label2, Mb2, M2);
    metal.AddRow(Label3, Mb3, M3);
    metal.AddRow(Label4, Mb4, M4);
    GroupBox1->setLayout(metal.layout());

    GroupBox2 = new QGroupBox("Кислотная активность", this);
    GroupBox2->setObjectName("GroupBox2");
    FieldGrid acid(16);
    Label18 = NamedLabel(GroupBox2, "Label18", "Исследование");
    Label19 = NamedLabel(GroupBox2, "Label19", "Сравнение");
    Label18->setFont(bold);
    Label19->setFont(bold);
    Label12 = NamedLabel(GroupBox2, "Label12", "Число крекинга");
    Label13 = NamedLabel(GroupBox2, "Label13", "Степень изомеризации");
    Kb1 = NewValue(GroupBox2, "Kb1", "Kb1");
    Kb2 = NewValue(GroupBox2, "Kb2", "Kb2");
    K1 = NewValue(GroupBox2, "K1", "0");
    K2 = NewValue(GroupBox2, "K2", "0");
    acid.AddHeading(nullptr, Label18, Label19);
    acid.AddRow(Label12, Kb1, K1);
    acid.AddRow(Label13, Kb2, K2);
    GroupBox2->setLayout(acid.layout());
    // Both groups keep their columns under each other.
    for (QGridLayout* grid : {metal.layout(), acid.layout()}) {
        grid->setColumnMinimumWidth(0, 190);
        grid->setColumnMinimumWidth(1, 100);
        grid->setColumnMinimumWidth(2, 100);
    }

    Button1 = NamedButton(this, "Button1", "Далее");
    Button2 = NamedButton(this, "Button2", "Сравнить");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Comper, 0, Qt::AlignRight);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2);
    layout->addLayout(ButtonRow({Button2, Button1}));
    CentreOnScreen(this);

    ConnectHandler(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    ConnectHandler(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

void TM_A::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TM_A::FormShow() {
    Ops.fileName.clear();
    ShowLatestCalculation();
}

void TM_A::ShowLatestCalculation() {
    const LatestCalculation* latest = GetLatestCalculation();
    if (!latest) return;
    const char sep = Regional().decimalSeparator;
    const auto conditions = ActivityConditionsTexts(ActivityConditionsOf(*latest), sep);
    const auto results = ActivityResultsTexts(ActivityResultsOf(*latest), sep);
    Mb1->setText(Text(conditions[0]));
    Mb2->setText(Text(conditions[1]));
    Mb3->setText(Text(results[0]));
    Mb4->setText(Text(results[1]));
    Kb1->setText(Text(results[2]));
    Kb2->setText(Text(results[3]));
}

void TM_A::Compare(const std::string& conditionsPath) {
    const char sep = Regional().decimalSeparator;
    const ActivityConditions compared = ReadActivityConditions(conditionsPath);
    const auto conditions = ActivityConditionsTexts(compared, sep);
    comparedConditions_ = compared;
    M1->setText(Text(conditions[0]));
    M2->setText(Text(conditions[1]));
    Comper->setText("с " + Text(ComparedCaseName(conditionsPath)));

    const std::string resultsPath = ComparedResultsPath(conditionsPath);
    if (!FileExists(resultsPath)) return;
    const ActivityResults comparedResults = ReadActivityResults(resultsPath);
    const auto results = ActivityResultsTexts(comparedResults, sep);
    comparedResults_ = comparedResults;
    M3->setText(Text(results[0]));
    M4->setText(Text(results[1]));
    K1->setText(Text(results[2]));
    K2->setText(Text(results[3]));
}

void TM_A::Button1Click() { accept(); }

void TM_A::Button2Click() {
    Ops.initialDir = NativePath(Context().plantFolder);
    const QString chosen = ui::ChooseOpenFile(this, Ops.title, Ops.initialDir, Ops.filter, QFileInfo(Ops.fileName).fileName());
    if (chosen.isEmpty()) return;
    Ops.fileName = chosen;
    Compare(chosen.toStdString());
}

}  // namespace rw
