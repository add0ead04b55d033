#pragma once
#include <QDialog>
#include <optional>

#include "results/activity.h"

#include "shell/window_helpers.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace rw {

// "Металлическая и кислотная активность": indicators of the metal and the
// acid function of the catalyst for the research case (the latest
// calculation of this program run) beside a compared case, loaded from a
// conditions file and the results file of the same name.
class TM_A : public QDialog {
    Q_OBJECT
public:
    explicit TM_A(QWidget* parent = nullptr);

    // The research column from the latest calculation of this program run;
    // before any, the column keeps its texts.
    void ShowLatestCalculation();
    // The comparison column from a conditions file and, when it exists, the
    // results file of the same name beside it. Throws UserError when a
    // number cannot be read; the labels written by then keep their texts.
    void Compare(const std::string& conditionsPath);
    // What the comparison column shows: the compared conditions, and the
    // results of the last compared case that had a results file.
    const std::optional<ActivityConditions>& ComparedConditions() const { return comparedConditions_; }
    const std::optional<ActivityResults>& ComparedResults() const { return comparedResults_; }

    QLabel* Comper = nullptr;
    QGroupBox* GroupBox1 = nullptr;  // "Металлическая активность"
    QLabel* Label10 = nullptr;       // "Исследование"
    QLabel* Label11 = nullptr;       // "Сравнение"
    QLabel* Label1 = nullptr;        // "Перепад температур"
    QLabel* Label2 = nullptr;        // "Концентрация водорода"
    QLabel* Label3 = nullptr;        // "Дегидроциклизация"
    QLabel* Label4 = nullptr;        // "Выход водорода, % масс."
    QLabel *Mb1 = nullptr, *Mb2 = nullptr, *Mb3 = nullptr, *Mb4 = nullptr;
    QLabel *M1 = nullptr, *M2 = nullptr, *M3 = nullptr, *M4 = nullptr;
    QGroupBox* GroupBox2 = nullptr;  // "Кислотная активность"
    QLabel* Label18 = nullptr;       // "Исследование"
    QLabel* Label19 = nullptr;       // "Сравнение"
    QLabel* Label12 = nullptr;       // "Число крекинга"
    QLabel* Label13 = nullptr;       // "Степень изомеризации"
    QLabel *Kb1 = nullptr, *Kb2 = nullptr;
    QLabel *K1 = nullptr, *K2 = nullptr;
    QPushButton* Button1 = nullptr;  // "Далее"
    QPushButton* Button2 = nullptr;  // "Сравнить"
    FileDialogSettings Ops;

public slots:
    void FormShow();
    void Button1Click();
    // "Сравнить": a conditions file chosen in the plant folder.
    void Button2Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::optional<ActivityConditions> comparedConditions_;
    std::optional<ActivityResults> comparedResults_;
};

}  // namespace rw
