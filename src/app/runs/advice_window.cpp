#include "runs/advice_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/configuration.h"
#include "common/files.h"
#include "common/regional.h"
#include "conditions/conditions_form.h"
#include "results/results_window.h"
#include "runs/recommendations.h"
#include "runs/run_object.h"
#include "shell/dialog_builders.h"
#include "shell/form_fields.h"
#include "shell/plant_selection.h"
#include "shell/program_context.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"

namespace rw {

namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

TAdvice::TAdvice(QWidget* parent) : QDialog(parent) {
    setObjectName("Advice");
    setWindowTitle("Рекомендации");
    SetFrameWithoutIcons(this);

    Label1 = NamedLabel(this, "Label1", "Активность катализатора:");
    AKt = BoldLabel(this, "AKt", WorkingConfiguration() ? QString() : QStringLiteral("AKt"));
    Label3 = NamedLabel(this, "Label3", "Число крекинга");
    Nm = BoldLabel(this, "Nm", WorkingConfiguration() ? QString() : QStringLiteral("Nm"));
    reas = NamedLabel(this, "reas", "Повышенная активность обусловлена");
    ad = BoldLabel(this, "ad", QString());
    QPalette navy = ad->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    ad->setPalette(navy);
    Label2 = NamedLabel(this, "Label2", "Рекомендуемая подача:");
    Label5 = BoldLabel(this, "Label5", QString());
    Label5->setMinimumHeight(3 * Label5->fontMetrics().lineSpacing());
    Label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Button1 = NamedButton(this, "Button1", "Далее");
    Button1->setDefault(true);

    FieldGrid values(12);
    values.AddRow(Label1, AKt);
    values.AddRow(Label3, Nm);
    values.layout()->setColumnStretch(2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(values.layout());
    layout->addSpacing(8);
    layout->addWidget(reas);
    layout->addWidget(ad);
    layout->addSpacing(8);
    layout->addWidget(Label2);
    layout->addWidget(Label5);
    layout->addSpacing(8);
    layout->addLayout(ButtonRow({Button1}));
    setMinimumWidth(420);
    CentreOnScreen(this);

    connect(Button1, &QPushButton::clicked, this, &TAdvice::Button1Click);
}

void TAdvice::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    RunHandler(this, [this] { FormCreate(); });
}

void TAdvice::FormCreate() {
    const ProgramContext& context = Context();
    const ResultsRecord& results = RavionObj().Results;
    const char sep = Regional().decimalSeparator;
    AKt->setText(Text(AdviceValueText(results.activity, sep)));
    Nm->setText(Text(AdviceValueText(results.crackingNumber, sep)));
    // The advice rests on the run's results alone, so it is shown even when
    // the doses cannot be worked out.
    AdviceTexts advice = AdviceFor(results.activity, results.crackingNumber);
    reas->setText(DisplayLines(Text(advice.reason)));
    ad->setText(Text(advice.advice));

    Label5->clear();
    dosingText_.clear();
    const ChlorineDosing dosing = WorkOutPlantDosing(context, W().form8->EditTexts());
    dosingText_ = DosingText(dosing, sep);
    Label5->setText(DisplayLines(Text(dosingText_)));
}

void TAdvice::Button1Click() { accept(); }

}  // namespace rw
