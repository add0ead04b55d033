#include "results/replay_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/files.h"
#include "results/comparison_window.h"
#include "results/results_file.h"
#include "shell/dialog_builders.h"
#include "shell/form_fields.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"

namespace rw {

namespace {

// The verdict column: the date's line without its leading date.
QString VerdictText(const ReplayedDate& date) {
    const std::string line = ReplayDateLine(date);
    return QString::fromStdString(line.substr(date.sampleName.size() + 2));
}

}  // namespace

ReplayWindow::ReplayWindow(std::string baseFolder, int plantIndex, const QString& plantCaption, QWidget* parent)
    : QDialog(parent), baseFolder_(std::move(baseFolder)), plantIndex_(plantIndex) {
    setObjectName("ReplayWindow");
    setWindowTitle("Пересчет истории установки");
    resize(900, 520);
    auto* plant = NamedLabel(this, "PlantCaption", "Установка: " + plantCaption.trimmed());
    auto* explanation = NamedLabel(
        this, "Explanation",
        "Рассчитанные даты установки пересчитываются программой модели из базовой папки во временной копии "
        "и сравниваются с записанными результатами. Базовая папка не меняется.");
    explanation->setWordWrap(true);
    DateList = new QTableWidget(0, 2, this);
    DateList->setObjectName("DateList");
    DateList->setHorizontalHeaderLabels({"Дата", "Итог"});
    DateList->horizontalHeader()->setStretchLastSection(true);
    DateList->verticalHeader()->hide();
    DateList->setSelectionBehavior(QAbstractItemView::SelectRows);
    DateList->setSelectionMode(QAbstractItemView::SingleSelection);
    DateList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Progress = new QProgressBar(this);
    Progress->setObjectName("Progress");
    Progress->setRange(0, 1);
    Progress->setValue(0);
    const size_t dates = ReplayableDates(baseFolder_, plantIndex_).size();
    Status = NamedLabel(this, "Status", "Дат с результатами расчета: " + QString::number(dates));

    StartButton = NamedButton(this, "StartButton", "Пересчитать");
    StopButton = NamedButton(this, "StopButton", "Прервать");
    CompareButton = NamedButton(this, "CompareButton", "Сравнить");
    CopyButton = NamedButton(this, "CopyButton", "Копировать");
    SaveButton = NamedButton(this, "SaveButton", "Сохранить...");
    CloseButton = NamedButton(this, "CloseButton", "Закрыть");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(plant);
    layout->addWidget(explanation);
    layout->addWidget(DateList, 1);
    layout->addWidget(Progress);
    layout->addWidget(Status);
    layout->addLayout(ButtonRow({StartButton, StopButton, CompareButton, CopyButton, SaveButton}, {CloseButton}));

    ConnectHandler(StartButton, &QPushButton::clicked, this, [this] { Start(); });
    connect(StopButton, &QPushButton::clicked, this, [this] { Stop(); });
    ConnectHandler(CompareButton, &QPushButton::clicked, this, [this] { CompareRow(DateList->currentRow()); });
    connect(DateList, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { CompareRow(row); });
    connect(DateList, &QTableWidget::currentCellChanged, this, [this] { UpdateButtons(); });
    connect(CopyButton, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(ListText()); });
    ConnectHandler(SaveButton, &QPushButton::clicked, this, [this] {
        const QString path = ui::ChooseSaveFile(this, "Сохранение списка", QDir::homePath(), "Текст (*.txt)", "txt",
                                                "pereschet.txt");
        if (!path.isEmpty()) SaveTo(path);
    });
    connect(CloseButton, &QPushButton::clicked, this, [this] {
        // Closing while dates are replayed stops after the date in progress.
        if (running_) {
            Stop();
            return;
        }
        accept();
    });
    UpdateButtons();
}

void ReplayWindow::UpdateButtons() {
    StartButton->setEnabled(!running_);
    StopButton->setEnabled(running_ && !stopAsked_);
    const int row = DateList->currentRow();
    CompareButton->setEnabled(!running_ && row >= 0 && static_cast<size_t>(row) < done_.size() &&
                              !done_[static_cast<size_t>(row)].replayedResults.empty());
    CopyButton->setEnabled(!running_ && !done_.empty());
    SaveButton->setEnabled(!running_ && !done_.empty());
}

void ReplayWindow::Start() {
    if (running_) return;
    running_ = true;
    stopAsked_ = false;
    done_.clear();
    outcome_ = {};
    DateList->setRowCount(0);
    UpdateButtons();
    ReplayRequest request;
    request.baseFolder = baseFolder_;
    request.plantIndex = plantIndex_;
    try {
        outcome_ = ReplayCalculations(request, *this);
    } catch (...) {
        running_ = false;
        Status->setText("Пересчет не выполнен.");
        UpdateButtons();
        throw;
    }
    running_ = false;
    Status->setText(QString::fromStdString(ReplaySummaryLine(outcome_)));
    UpdateButtons();
}

void ReplayWindow::Stop() {
    if (!running_) return;
    stopAsked_ = true;
    Status->setText("Пересчет будет прерван после текущей даты...");
    UpdateButtons();
}

bool ReplayWindow::KeepGoing() {
    QApplication::processEvents();
    return !stopAsked_;
}

void ReplayWindow::DateStarted(const std::string& sampleName, int position, int count) {
    Progress->setRange(0, count);
    Progress->setValue(position);
    Status->setText("Пересчет " + QString::fromStdString(sampleName) + " (" + QString::number(position + 1) + " из " +
                    QString::number(count) + ")...");
    QApplication::processEvents();
}

void ReplayWindow::RunStarted(TRavionObj& run) {
    // The window keeps answering while a model runs; "Прервать" waits for
    // the date to end.
    run.WhileWaiting = [] {
        QApplication::processEvents();
        return true;
    };
}

void ReplayWindow::DateDone(const ReplayedDate& date) {
    done_.push_back(date);
    const int row = DateList->rowCount();
    DateList->insertRow(row);
    DateList->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(date.sampleName)));
    DateList->setItem(row, 1, new QTableWidgetItem(VerdictText(date)));
    Progress->setValue(Progress->value() + 1);
    QApplication::processEvents();
}

QString ReplayWindow::ListText() const {
    QString text;
    for (const ReplayedDate& date : done_) text += QString::fromStdString(ReplayDateLine(date)) + "\n";
    if (!running_ && !done_.empty()) text += QString::fromStdString(ReplaySummaryLine(outcome_)) + "\n";
    return text;
}

void ReplayWindow::SaveTo(const QString& path) const { WriteFileAtomic(path.toStdString(), ListText().toStdString()); }

void ReplayWindow::CompareRow(int row) {
    if (row < 0 || static_cast<size_t>(row) >= done_.size()) return;
    const ReplayedDate& date = done_[static_cast<size_t>(row)];
    if (date.replayedResults.empty() || date.storedResults.empty()) return;
    // Read both first: a file the reader refuses opens no window.
    const ResultsRecord replayed = ParseResultsText(date.replayedResults);
    const ResultsRecord stored = ParseResultsText(date.storedResults);
    TForm12 comparison(this);
    comparison.setWindowTitle("Пересчет " + QString::fromStdString(date.sampleName) +
                              ": слева новый расчет, справа записанные результаты");
    comparison.ShowLatest(date.sampleName, replayed);
    comparison.ShowCompared(date.storedPath, stored);
    comparison.Button2->hide();
    ui::ExecModal(&comparison);
}

}  // namespace rw
