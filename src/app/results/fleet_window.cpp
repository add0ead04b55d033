#include "results/fleet_window.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/regional.h"
#include "results/cycle_outlook_window.h"
#include "shell/dialog_builders.h"
#include "shell/form_fields.h"
#include "shell/program_context.h"
#include "shell/ui_services.h"
#include "shell/window_helpers.h"

namespace rw {

TFleet::TFleet(QWidget* parent) : QDialog(parent) {
    setObjectName("Fleet");
    setWindowTitle("Все установки");

    FleetTable = new QTableWidget(this);
    FleetTable->setObjectName("FleetTable");
    FleetTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FleetTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    FleetTable->setSelectionMode(QAbstractItemView::SingleSelection);
    FleetTable->verticalHeader()->hide();
    FleetTable->setMinimumSize(900, 260);

    Button2 = NamedButton(this, "Button2", "Создать текстовый файл");
    Button4 = NamedButton(this, "Button4", "Копировать в буфер");
    OpenButton = NamedButton(this, "OpenButton", "Прогноз цикла");
    Finita = NamedButton(this, "Finita", "Возврат");
    for (QPushButton* b : {Button2, Button4, OpenButton, Finita}) b->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FleetTable, 1);
    layout->addLayout(ButtonRow({OpenButton, Button2, Button4}, {Finita}));

    ConnectHandler(Button2, &QPushButton::clicked, this, [this]() { Button2Click(); });
    ConnectHandler(Button4, &QPushButton::clicked, this, [this]() { Button4Click(); });
    ConnectHandler(OpenButton, &QPushButton::clicked, this, [this]() { OpenRow(FleetTable->currentRow() + 1); });
    // A double click or Enter on a row.
    ConnectHandler(FleetTable, &QTableWidget::activated, this, [this]() { OpenRow(FleetTable->currentRow() + 1); });
    connect(Finita, &QPushButton::clicked, this, &QDialog::accept);
    CentreOnScreen(this);
}

TFleet::~TFleet() = default;

void TFleet::Load() {
    fleet_ = LoadFleet(Context().baseFolder);
    grid_ = FleetGrid(fleet_, Regional().decimalSeparator);
    FleetTable->clear();
    FleetTable->setColumnCount(grid_.columnCount);
    FleetTable->setRowCount(grid_.rowCount - 1);
    QStringList captions;
    for (int column = 0; column < grid_.columnCount; ++column)
        captions.append(QString::fromStdString(grid_.Cell(column, 0)));
    FleetTable->setHorizontalHeaderLabels(captions);
    for (int row = 1; row < grid_.rowCount; ++row) {
        for (int column = 0; column < grid_.columnCount; ++column) {
            auto* item = new QTableWidgetItem(QString::fromStdString(grid_.Cell(column, row)));
            if (column != 1) item->setTextAlignment(Qt::AlignCenter);
            FleetTable->setItem(row - 1, column, item);
        }
    }
    FleetTable->resizeColumnsToContents();
    FleetTable->horizontalHeader()->setStretchLastSection(true);
    if (grid_.rowCount > 1) FleetTable->selectRow(0);
}

void TFleet::ShowFleet() {
    Load();
    ui::ExecModal(this);
}

void TFleet::Button2Click() {
    const QString path = ui::ChooseSaveFile(this, "Сохранить как", NativePath(Context().baseFolder),
                                            "Текст (*.txt)", "txt");
    if (path.isEmpty()) return;
    WriteSummaryExport(path.toStdString(), grid_);
}

void TFleet::Button4Click() {
    QApplication::clipboard()->setText(QString::fromStdString(SummaryClipboardText(grid_)));
}

TCycleOutlook* TFleet::OutlookWindow() {
    if (!outlook_) outlook_ = new TCycleOutlook(this);
    return outlook_;
}

void TFleet::OpenRow(int row) {
    if (row < 1 || row > static_cast<int>(fleet_.size())) return;
    OutlookWindow()->ShowPlant(fleet_[static_cast<std::size_t>(row - 1)].plantIndex);
    // The limits may have changed there: the forecasts and the order follow.
    Load();
}

}  // namespace rw
