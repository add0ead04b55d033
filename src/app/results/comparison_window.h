#pragma once
#include <QDialog>
#include <array>
#include <optional>
#include <string>

#include "results/plant_report.h"
#include "results/results_file.h"
#include "shell/window_helpers.h"

class QLabel;
class QPushButton;

namespace rw {

// "Результаты проведенных расчетов": twelve quantities of the latest
// calculation (left column, filled by the reforming run) beside those of a
// results file the user picks with "Сравнить с" (right column).
class TForm12 : public QDialog {
    Q_OBJECT
public:
    explicit TForm12(QWidget* parent = nullptr);

    // The left column and Label25 from the record of the latest calculation.
    void ShowLatest(const std::string& sampleName, const ResultsRecord& record);
    // The right column and Label24 from a results file's record and path.
    void ShowCompared(const std::string& path, const ResultsRecord& record);
    // The records the two columns show, with their names; none before.
    const std::optional<NamedResults>& LatestShown() const { return latest_; }
    const std::optional<NamedResults>& ComparedShown() const { return compared_; }

    // Left column in the order of the rows (activity ... processed feed,
    // octane number as the comparison table lists them: Label15, Label16,
    // Label17, Label18, Label19, Label20, Label22, Label21, Label23, Label12,
    // Label27, Label29), right column C1..C12 in the same order.
    std::array<QLabel*, 12> Latest{};
    std::array<QLabel*, 12> Compared{};
    QLabel *Label15 = nullptr, *Label16 = nullptr, *Label17 = nullptr, *Label18 = nullptr, *Label19 = nullptr,
           *Label20 = nullptr, *Label21 = nullptr, *Label22 = nullptr, *Label23 = nullptr, *Label12 = nullptr,
           *Label27 = nullptr, *Label29 = nullptr;
    QLabel *C1 = nullptr, *C2 = nullptr, *C3 = nullptr, *C4 = nullptr, *C5 = nullptr, *C6 = nullptr, *C7 = nullptr,
           *C8 = nullptr, *C9 = nullptr, *C10 = nullptr, *C11 = nullptr, *C12 = nullptr;
    QLabel* Label25 = nullptr;  // sample name of the latest calculation
    QLabel* Label24 = nullptr;  // first 8 characters of the compared file's name
    QPushButton* Button1 = nullptr;  // "Далее"
    QPushButton* Button2 = nullptr;  // "Сравнить с"
    FileDialogSettings OpenC;

public slots:
    void DateComExit();  // "Сравнить с"
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::optional<NamedResults> latest_;
    std::optional<NamedResults> compared_;
};

}  // namespace rw
