#include "results/deactivation_window.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QTimer>
#include <algorithm>
#include <optional>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "common/configuration.h"
#include "common/dates.h"
#include "common/files.h"
#include "common/number_format.h"
#include "common/regional.h"
#include "conditions/conditions_file.h"
#include "conditions/conditions_form.h"
#include "results/calibration_dialog.h"
#include "results/graph_window.h"
#include "results/report_window.h"
#include "runs/deactivation_workflow.h"
#include "runs/run_progress.h"
#include "results/to_graph_dialog.h"
#include "shell/date_field.h"
#include "shell/form_fields.h"
#include "shell/main_window.h"
#include "shell/plant_selection.h"
#include "shell/program_context.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"

namespace rw {

namespace {

// The working configuration gives the graph the unit of the value it shows
// (the calculation's), and its texts spelt right and in Russian.
const char* StoredTitle() {
    return WorkingConfiguration() ? "Дезактивация, град./(тонн сыр./кг кат.)" : "Дезактивация, град./(тонн сыр./тонн кат.)";
}
const char* HistoryTitle() {
    return WorkingConfiguration() ? "Дезактивация, град./(тонн сыр./кг кат.)" : "Дезактивация, град/(тонн сыр./тонн кат.)";
}
const char* WaitText() {
    return WorkingConfiguration() ? " Пожалуйста подождите.             Идет расчет."
                                  : " Please !      Wait a moment.             Идет расчет.";
}
const char* MissingComposition() {
    return WorkingConfiguration() ? "Необходим файл с данными по составу сырья и катализата:"
                                  : "Необходим файла с данными по составу сырья и катализата:";
}
const char* const kClearQuestion = "Вы уверены, что хотите очистить график дезактивации на текущей установке?";

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

// Paths inside the program are written with '\'; Qt gets native ones.
std::string ProgramNotation(const QString& nativePath) {
    std::string s = QDir::cleanPath(nativePath).toStdString();
    for (char& ch : s)
        if (ch == '/') ch = '\\';
    return s;
}

// A path as the window shows it: the program's notation in the described
// configuration, the system's own ("/") in the working one. The program
// path itself travels with the item (Qt::UserRole) or the label ("path").
QString Shown(const std::string& programPath) {
    return WorkingConfiguration() ? QString::fromStdString(ToNative(programPath)) : Text(programPath);
}
std::string PathOf(const QListWidgetItem* item) {
    const QVariant path = item->data(Qt::UserRole);
    return (path.isValid() ? path.toString() : item->text()).toStdString();
}

// Sampling folders are named dd-mm-yy: the working configuration lists them
// by date (other folders after them, by name) rather than by the text.
void SortSamplingFoldersByDate(QStringList& folders) {
    auto date = [](const QString& name) {
        const QDate d = QDate::fromString(name, "dd-MM-yy");
        return d.isValid() ? d.addYears(d.year() < 1950 ? 100 : 0) : QDate();
    };
    std::stable_sort(folders.begin(), folders.end(), [&date](const QString& a, const QString& b) {
        const QDate da = date(a), db = date(b);
        if (da.isValid() != db.isValid()) return da.isValid();
        return da.isValid() && da < db;
    });
}

// The windows a sample run talks to: the conditions form for the review,
// the main window's progress bar, the report window for the raw results and
// the calibration dialog.
class WindowSampleDialogs : public DeactivationQuestions {
public:
    explicit WindowSampleDialogs(QPushButton* cancel) : cancel_(cancel) {}

    // The sample's texts fill Edit1 to Edit26; the run goes on however the
    // form is closed, with what it holds then. The working configuration
    // shows the sample's own fifth column of plant row 11 too, never what an
    // earlier showing left there.
    void Review(const ConditionsEditTexts& texts, double samplingDate, double regenerationDate) override {
        ConditionsEditTexts shown = texts;
        int lastEdit = kEditProcessedFeed;
        if (WorkingConfiguration() && Context().plantIndex == kRowWithFifthReactor && !sampleFile_.empty()) {
            const RowExtension fifth = ReadRowExtension(sampleFile_);
            for (size_t i = 0; i < fifth.size(); ++i) {
                shown[static_cast<size_t>(kEditExtension) + i] = FormatFixed(fifth[i], 6, 2);
            }
            lastEdit = kEditLast;
        }
        reviewed_ = W().form8->Review({shown, samplingDate, regenerationDate}, lastEdit).held;
    }
    void SampleStarting(const std::string& conditionsPath) override { sampleFile_ = conditionsPath; }

    SampleReview ReadReview() override { return reviewed_; }

    void Progress(int position) override {
        TForm5* main = W().form5;
        if (position == 20) main->ShowWaitText(WaitText());
        main->ShowProgress(position);
    }

    void EndProgress() override {
        W().form5->ClearProgress();
    }

    // "Прервать" of the deactivation window while the model runs.
    void BeginModelRun() override { running_.emplace(W().form5, cancel_, WaitText()); }
    bool KeepWaiting() override { return !running_ || running_->KeepWaiting(); }
    void EndModelRun() override { running_.reset(); }

    void ShowRawResults(const std::string& rezBytes) override {
        ViewResultsText(rezBytes);
        W().form5->setEnabled(true);
    }

    bool Calibrate(const CalibrationView& view, std::array<std::string, 4>& edits) override {
        return W().form11->Calibrate(view, edits);
    }

private:
    static constexpr int kRowWithFifthReactor = 11;
    SampleReview reviewed_;
    QPushButton* cancel_;
    std::optional<RunProgress> running_;
    std::string sampleFile_;
};

}  // namespace

TRasDisAkt::TRasDisAkt(QWidget* parent) : QDialog(parent) {
    setObjectName("RasDisAkt");
    setWindowTitle(WorkingConfiguration() ? "Расчет дезактивации" : "Расчет дизактивации");
    SetFrameWithoutIcons(this);

    GroupBox1 = new QGroupBox(WorkingConfiguration() ? "Выбор данных:" : "Выбор данных   : ", this);
    GroupBox1->setObjectName("GroupBox1");
    Label1 = NamedLabel(GroupBox1, "Label1", "Выбор каталога:");
    DLB = new QListWidget(GroupBox1);
    DLB->setObjectName("DLB");
    Label2 = NamedLabel(GroupBox1, "Label2", "Список файлов:");
    FL = new QListWidget(GroupBox1);
    FL->setObjectName("FL");
    Label3 = NamedLabel(GroupBox1, "Label3", "Выбранные *.dan файлы:");
    Label4 = NamedLabel(GroupBox1, "Label4", "с техн. условиями");
    LFB = new QListWidget(GroupBox1);
    LFB->setObjectName("LFB");
    BitBtn1 = NamedButton(GroupBox1, "BitBtn1", "Добавить");
    BitBtn1->setDefault(true);
    BitBtn2 = NamedButton(GroupBox1, "BitBtn2", WorkingConfiguration() ? "Удалить" : "Удалть");
    Label6 = NamedLabel(GroupBox1, "Label6", "Выбранный *.sk файл:");
    SkFileChouse = NamedLabel(GroupBox1, "SkFileChouse", QString());
    SkFileChouse->setWordWrap(true);
    SkFileChouse->setMinimumHeight(34);
    SkFileChouse->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    DLB->setMinimumSize(220, 180);
    FL->setMinimumSize(150, 180);
    LFB->setMinimumSize(230, 60);
    LFB->setMaximumHeight(70);

    auto* chosen = new QVBoxLayout;
    chosen->addWidget(Label3);
    chosen->addWidget(Label4);
    chosen->addWidget(LFB);
    auto* chosenButtons = new QHBoxLayout;
    chosenButtons->addWidget(BitBtn1);
    chosenButtons->addWidget(BitBtn2);
    chosen->addLayout(chosenButtons);
    chosen->addSpacing(6);
    chosen->addWidget(Label6);
    chosen->addWidget(SkFileChouse);
    chosen->addStretch();

    auto* selection = new QGridLayout(GroupBox1);
    selection->addWidget(Label1, 0, 0);
    selection->addWidget(DLB, 1, 0);
    selection->addWidget(Label2, 0, 1);
    selection->addWidget(FL, 1, 1);
    selection->addLayout(chosen, 0, 2, 2, 1);
    selection->setColumnStretch(0, 3);
    selection->setColumnStretch(1, 2);
    selection->setColumnStretch(2, 3);

    GroupBox2 = new QGroupBox("Результат:", this);
    GroupBox2->setObjectName("GroupBox2");
    Lp = NamedLabel(GroupBox2, "Lp", "Период - ");
    Deakt = NamedLabel(GroupBox2, "Deakt", "Дезактивация");
    QFont bold = Deakt->font();
    bold.setBold(true);
    Lp->setFont(bold);
    Deakt->setFont(bold);
    Button3 = NamedButton(GroupBox2, "Button3", "Копировать на график");
    Button3->setEnabled(false);
    Button4 = NamedButton(GroupBox2, "Button4", "Очистить график");
    auto* result = new QGridLayout(GroupBox2);
    result->addWidget(Lp, 0, 0);
    result->addWidget(Deakt, 1, 0);
    result->addWidget(Button3, 0, 1);
    result->addWidget(Button4, 1, 1);
    result->setColumnStretch(0, 1);

    Button1 = NamedButton(this, "Button1", "Расчет");
    Button2 = NamedButton(this, "Button2", WorkingConfiguration() ? "ОК" : "Оk");
    CancelRun = NamedButton(this, "CancelRun", "Прервать");
    CancelRun->hide();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CancelRun);
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2);
    layout->addLayout(buttons);
    resize(760, 440);
    CentreOnScreen(this);

    GroupBox1->installEventFilter(this);
    connect(DLB, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        RunHandler(this, [this, item] { DlbActivated(item); });
    });
    // A click opens a folder in the working configuration, as folder lists
    // elsewhere do; the described one waits for a double click or Enter.
    connect(DLB, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (!WorkingConfiguration() || !item) return;
        // The list is rebuilt once the click is over, not under its own signal.
        const std::string folder = ProgramNotation(item->data(Qt::UserRole).toString());
        QTimer::singleShot(0, this, [this, folder] { RunHandler(this, [this, &folder] { SetFolder(folder); }); });
    });
    connect(FL, &QListWidget::itemDoubleClicked, this, [this] { RunHandler(this, [this] { BitBtn1Click(); }); });
    connect(LFB, &QListWidget::itemDoubleClicked, this, [this] { RunHandler(this, [this] { BitBtn2Click(); }); });
    ConnectHandler(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    ConnectHandler(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    ConnectHandler(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    ConnectHandler(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    ConnectHandler(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    ConnectHandler(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
}

bool TRasDisAkt::eventFilter(QObject* watched, QEvent* event) {
    if (watched == GroupBox1 && event->type() == QEvent::MouseButtonDblClick) {
        RunHandler(this, [this] { BitBtn2Click(); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TRasDisAkt::SetFolder(const std::string& folder) {
    folder_ = QDir::cleanPath(QString::fromStdString(ToNative(folder)));
    DLB->clear();

    // The way down from the root to the folder, each step one indent deeper,
    // then the folder's sub-folders, as a folder list shows them.
    QStringList chain;
    for (QDir dir(folder_);;) {
        chain.prepend(dir.absolutePath());
        if (dir.isRoot() || !dir.cdUp()) break;
    }
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    auto add = [this](const QIcon& icon, const QString& text, int depth, const QString& path) {
        auto* item = new QListWidgetItem(icon, QString(depth * 3, QLatin1Char(' ')) + text, DLB);
        item->setData(Qt::UserRole, path);
        return item;
    };
    auto subfoldersOf = [](const QString& folder) {
        QStringList names = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        if (WorkingConfiguration()) SortSamplingFoldersByDate(names);
        return names;
    };
    // The working configuration keeps the folder's own level open: a click
    // on one date folder leaves the other dates of the plant in view.
    const bool keepLevel = WorkingConfiguration() && chain.size() > 1;
    const int opened = static_cast<int>(chain.size()) - (keepLevel ? 1 : 0);
    for (int i = 0; i < opened; ++i) {
        const QString name = i == 0 ? QDir::toNativeSeparators(chain[i]) : QFileInfo(chain[i]).fileName();
        QListWidgetItem* item = add(open, name, i, chain[i]);
        if (i == chain.size() - 1) DLB->setCurrentItem(item);
    }
    const int depth = static_cast<int>(chain.size());
    if (keepLevel) {
        const QString parent = chain[chain.size() - 2];
        for (const QString& sibling : subfoldersOf(parent)) {
            const QString path = QDir(parent).filePath(sibling);
            const bool current = QDir::cleanPath(path) == folder_;
            QListWidgetItem* item = add(current ? open : closed, sibling, depth - 1, path);
            if (!current) continue;
            DLB->setCurrentItem(item);
            for (const QString& sub : subfoldersOf(folder_)) add(closed, sub, depth, QDir(folder_).filePath(sub));
        }
    } else {
        for (const QString& sub : subfoldersOf(folder_)) add(closed, sub, depth, QDir(folder_).filePath(sub));
    }
    FillFileList();
}

std::string TRasDisAkt::Folder() const { return ProgramNotation(folder_); }

void TRasDisAkt::DlbActivated(QListWidgetItem* item) {
    if (!item) return;
    SetFolder(ProgramNotation(item->data(Qt::UserRole).toString()));
}

void TRasDisAkt::FillFileList() {
    FL->clear();
    // File masks match regardless of case, as on the plant's machines.
    FL->addItems(QDir(folder_).entryList({"*.dan"}, QDir::Files, QDir::Name));
}

void TRasDisAkt::BitBtn1Click() {
    QListWidgetItem* selected = FL->currentItem();
    if (!selected) return;
    const std::string path = JoinPath(Folder(), selected->text().toStdString());

    if (LFB->count() == 0 || (LFB->count() == 1 && PathOf(LFB->item(0)) != path)) {
        auto* item = new QListWidgetItem(Shown(path), LFB);
        item->setData(Qt::UserRole, Text(path));
    }
    if (LFB->count() != 1) return;

    // The composition file has the first conditions file's name and must
    // lie in the folder shown now.
    QString name = QFileInfo(QString::fromStdString(ToNative(PathOf(LFB->item(0))))).fileName();
    const int point = name.lastIndexOf(QLatin1Char('.'));
    if (point >= 0) name.truncate(point);
    const std::string composition = JoinPath(Folder(), (name + ".sk").toStdString());
    if (FileExists(composition)) {
        SkFileChouse->setText(Shown(composition));
        SkFileChouse->setProperty("path", Text(composition));
    } else {
        ui::ShowMessage(this, QString(MissingComposition()) + "\n" + Shown(composition));
        LFB->clear();
    }
}

void TRasDisAkt::BitBtn2Click() {
    const int row = LFB->currentRow();
    if (row == 0 || row == 1) delete LFB->takeItem(row);
}

void TRasDisAkt::Button1Click() {
    DeactivationRequest request;
    if (LFB->count() >= 2) {
        request.firstConditionsPath = PathOf(LFB->item(0));
        request.secondConditionsPath = PathOf(LFB->item(1));
    }
    if (!SkFileChouse->text().isEmpty()) request.compositionPath = SkFileChouse->property("path").toString().toStdString();
    request.context = &Context();
    request.decimalSeparator = Regional().decimalSeparator;
    WindowSampleDialogs dialogs(CancelRun);
    const DeactivationOutcome outcome = CalculateDeactivation(request, dialogs);
    if (outcome.end == DeactivationEnd::NotChosen) return;
    Lp->setText(Text(outcome.periodText));
    // Without a value for the new period (the same processed feed, or no feed
    // rate between the dates) the period's value is unknown: the earlier
    // pair's value is neither shown under it nor copied to the graph.
    if (outcome.end != DeactivationEnd::Worked) {
        Deakt->setText("Дезактивация");
        Button3->setEnabled(false);
        return;
    }
    LastValue = outcome.value;
    Deakt->setText(Text(outcome.valueText));
    Button3->setEnabled(true);
}

void TRasDisAkt::Button2Click() {
    W().form5->ReturnToMainWindow();
    accept();
}

void TRasDisAkt::Button3Click() {
    double date = 0;
    {
        TToGr dialog(this);
        if (ui::ExecModal(&dialog) != QDialog::Accepted) return;
        date = WorkingConfiguration() ? DateValue(dialog.Dt->date())
                                      : ParseShortDate(dialog.DateText().toStdString(), Regional().dateSeparator, CurrentYear());
    }
    const std::vector<DeactivationPoint> points =
        StoreDeactivationValue(PlantDeactivationHistoryPath(), {date, LastValue});
    ShowDeactivationHistory(points, StoredTitle());
}

void TRasDisAkt::Button4Click() {
    if (!ui::AskYesNo(this, "Warning", kClearQuestion)) return;
    ClearDeactivationHistory(PlantDeactivationHistoryPath());
}

void ShowDeactivationCalculation() {
    TRasDisAkt* window = W().rasDisAkt;
    window->SetFolder(Context().plantFolder);
    ui::ExecModal(window);
}

std::string PlantDeactivationHistoryPath() {
    return DeactivationHistoryPath(Context().baseFolder, Context().plantIndex);
}

void ShowDeactivationHistory(const std::vector<DeactivationPoint>& points, const QString& title) {
    QStringList labels;
    std::vector<double> values;
    values.reserve(points.size());
    for (const DeactivationPoint& p : points) {
        labels << Text(FormatDateLong(p.date, Regional().dateSeparator));
        values.push_back(p.value);
    }
    W().graph->ShowSeries(title, labels, values);
}

void ShowPlantDeactivationGraph() {
    const std::string path = PlantDeactivationHistoryPath();
    if (!FileExists(path)) return;
    ShowDeactivationHistory(ReadDeactivationHistory(path), HistoryTitle());
}

}  // namespace rw
