#pragma once
#include <QDialog>
#include <vector>

#include "results/fleet.h"

class QPushButton;
class QTableWidget;

namespace rw {

class TCycleOutlook;

// "Все установки": every plant with a results history, the earliest forecast
// end of cycle first; a row opens that plant's "Прогноз цикла". The table is
// exported as the summary table is, to a text file or the clipboard.
class TFleet : public QDialog {
    Q_OBJECT
public:
    explicit TFleet(QWidget* parent = nullptr);
    ~TFleet() override;

    // Reads the plants of the base folder into the table (no showing).
    void Load();
    // Load, then the window modally.
    void ShowFleet();

    void Button2Click();  // "Создать текстовый файл"
    void Button4Click();  // "Копировать в буфер"
    void OpenRow(int row);  // the outlook of the plant of a table row (1-based, as the grid counts)

    const SummaryGrid& Grid() const { return grid_; }
    // The outlook window a row opens (made on first use).
    TCycleOutlook* OutlookWindow();

    // --- Controls --------------------------------------------------------
    QTableWidget* FleetTable = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* OpenButton = nullptr;  // "Прогноз цикла" of the selected row
    QPushButton* Finita = nullptr;      // "Возврат"

private:
    std::vector<PlantOutlook> fleet_;
    SummaryGrid grid_;
    TCycleOutlook* outlook_ = nullptr;
};

}  // namespace rw
