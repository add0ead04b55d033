#include "results/comparison_window.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/configuration.h"
#include "common/regional.h"
#include "results/result_views.h"
#include "shell/dialog_builders.h"
#include "shell/form_fields.h"
#include "shell/program_context.h"
#include "shell/ui_services.h"
#include "shell/window_registry.h"

namespace rw {

namespace {

QFont Bold(QFont font) {
    font.setBold(true);
    return font;
}

}  // namespace

TForm12::TForm12(QWidget* parent) : QDialog(parent) {
    setObjectName("Form12");
    setWindowTitle(QString(WorkingConfiguration() ? 0 : 31, QLatin1Char(' ')) + "Результаты проведенных расчетов");
    SetFrameWithoutIcons(this);
    OpenC.filter = "файл результатов (*.rez)";

    // Rows as the window shows them: caption, left label (design caption), right label.
    struct Row {
        const char* caption;
        const char* left;
        const char* right;
        int group;  // 0 none, 1 conversion of paraffins, 2 n/i ratio
    };
    static const Row kRows[12] = {
        {"Активность катализатора", "Label15", "C1", 0},
        {"Число крекинга", "Label16", "C2", 0},
        {"Содержание водорода в ВСГ", "Label17", "C3", 0},
        {"Расход сырья ", "Label18", "C4", 0},
        {" - Изомеризации", "Label19", "C5", 1},
        {" - Дегидроциклизации", "Label20", "C6", 1},
        {" - в сырье", "Label22", "C7", 2},
        {" - в катализате", "Label21", "C8", 2},
        {"Выход риформата , % масс.", "Label23", "C9", 0},
        {"Содержание МЦП в катализате", "Label12", "C10", 0},
        {"Объем переработанного сырья, т", "Label27", "C11", 0},
        {"Октановое число, о.ч.и.", "Label29", "C12", 0},
    };
    // On the window the octane number comes before the processed feed.
    static const int kDisplayOrder[12] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 10};

    FieldGrid grid(18, Qt::AlignRight);
    grid.layout()->setVerticalSpacing(4);
    auto* header = NamedLabel(this, "Label26", "Дата отбора");
    header->setFont(Bold(header->font()));
    const bool working = WorkingConfiguration();  // no placeholders, Cyrillic letters in captions
    Label25 = NamedLabel(this, "Label25", working ? QString() : QStringLiteral("Label25"));
    Label25->setFont(Bold(Label25->font()));
    Label24 = NamedLabel(this, "Label24", QString());
    Label24->setFont(Bold(Label24->font()));
    grid.AddHeading(header, Label25, Label24);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    grid.AddSpanning(line);
    int lastGroup = 0;
    for (int shown : kDisplayOrder) {
        const Row& row = kRows[shown];
        if (row.group != lastGroup && row.group != 0) {
            auto* caption = NamedLabel(this, row.group == 1 ? "Label13" : "Label14",
                                     row.group == 1 ? "Степень превращения парафинов в реакции :"
                                                    : working ? "Отношение н - Р / изо - Р :"
                                                              : "Отношение н - Р / i - P :");
            caption->setFont(Bold(caption->font()));
            grid.AddSpanning(caption);
        }
        lastGroup = row.group;
        QLabel* caption = NamedLabel(this, QString("Caption%1").arg(row.left), row.caption);
        Latest[static_cast<size_t>(shown)] = NamedLabel(this, row.left, working ? QString() : QString(row.left));
        Compared[static_cast<size_t>(shown)] = NamedLabel(this, row.right, QString());
        grid.AddRow(caption, Latest[static_cast<size_t>(shown)], Compared[static_cast<size_t>(shown)]);
    }
    grid.layout()->setColumnMinimumWidth(1, 90);
    grid.layout()->setColumnMinimumWidth(2, 90);
    QLabel** left[12] = {&Label15, &Label16, &Label17, &Label18, &Label19, &Label20,
                         &Label22, &Label21, &Label23, &Label12, &Label27, &Label29};
    QLabel** right[12] = {&C1, &C2, &C3, &C4, &C5, &C6, &C7, &C8, &C9, &C10, &C11, &C12};
    for (size_t i = 0; i < 12; ++i) {
        *left[i] = Latest[i];
        *right[i] = Compared[i];
    }

    Button1 = NamedButton(this, "Button1", "Далее");
    Button2 = NamedButton(this, "Button2", "Сравнить с");
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid.layout());
    layout->addSpacing(8);
    layout->addLayout(ButtonRow({Button2, Button1}));
    CentreOnScreen(this);

    connect(Button1, &QPushButton::clicked, this, &TForm12::Button1Click);
    ConnectHandler(Button2, &QPushButton::clicked, this, [this] { DateComExit(); });
}

void TForm12::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Button1->setFocus();
}

void TForm12::ShowLatest(const std::string& sampleName, const ResultsRecord& record) {
    auto texts = ComparisonTexts(record, Regional().decimalSeparator);
    for (size_t i = 0; i < texts.size(); ++i) Latest[i]->setText(QString::fromStdString(texts[i]));
    Label25->setText(QString::fromStdString(sampleName));
    latest_ = NamedResults{sampleName, record};
}

void TForm12::ShowCompared(const std::string& path, const ResultsRecord& record) {
    auto texts = ComparisonTexts(record, Regional().decimalSeparator);
    for (size_t i = 0; i < texts.size(); ++i) Compared[i]->setText(QString::fromStdString(texts[i]));
    Label24->setText(QString::fromStdString(NamePrefix(path)));
    compared_ = NamedResults{NamePrefix(path), record};
}

void TForm12::DateComExit() {
    OpenC.initialDir = NativePath(Context().plantFolder);
    QString chosen = ui::ChooseOpenFile(this, OpenC.title, OpenC.initialDir, OpenC.filter);
    if (chosen.isEmpty()) return;
    OpenC.fileName = chosen;
    // Read first: a file that cannot be read leaves the column as it was.
    ResultsRecord record = ReadResultsFile(chosen.toStdString());
    ShowCompared(chosen.toStdString(), record);
}

void TForm12::Button1Click() { accept(); }

}  // namespace rw
