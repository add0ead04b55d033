#pragma once
#include <QDialog>
#include <array>
#include <string>

#include "results/summary_table.h"
#include "shell/date_field.h"
#include "shell/window_helpers.h"

class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTableView;

namespace rw {

class SummaryGridModel;

// The summary table: chosen parameters of a results index, one column per
// sampling date. The record lists and their rules live in SummaryTableModel;
// this window moves them between the controls and the model.
//
// Handlers may throw UserError; when the user starts them the message is
// shown (see RunHandler).
class Tsvod : public QDialog {
    Q_OBJECT
public:
    explicit Tsvod(QWidget* parent = nullptr);
    ~Tsvod() override;

    // Reads the parameter choice from Ravionn.ini in the base folder and
    // checks the boxes (without running CheckBox1Click). Run at creation;
    // the tests run it again after changing the base folder.
    void FormCreate();
    // Writes the parameter choice to Ravionn.ini in the base folder. Run once
    // when the program ends. Throws UserError when the file cannot be written.
    void FormDestroy();

    // Opens an index and shows the window modally. When the index cannot be
    // read the error is shown and the window opens on an empty table.
    void ShowFile(const std::string& indexPath);
    // "Сводная таблица": the plant's history svod.<plant number> of the base folder.
    void ShowPlantHistory();
    // "Таблица": the index svod.tmp of the base folder built over a chosen
    // folder, with the parameters that need one plant's history hidden.
    void ShowFolderIndex();
    // Rebuilds the grid from the displayed list and the parameter choice.
    void MakeTab();

    void Bittn1Click();   // "Далее"
    void Button1Click();  // "Добавить"
    void Button2Click();  // "Создать текстовый файл"
    void Button3Click();  // "Удалить"
    void Button4Click();  // "Копировать в буфер"
    void ChangeDat();     // close-up and exit of both date pickers
    void CheckBox1Click(QCheckBox* box);

    // The check box of parameter k (1-18): CheckBox14 for 10, CheckBox10 for 14.
    QCheckBox* ParameterBox(int k) const;
    // While the table shows svod.tmp these parameters have no meaning for a
    // folder of unrelated results; N27Click hides and unchecks their boxes.
    void SetFolderParametersVisible(bool visible);

    const SummaryTableModel& Model() const { return model_; }
    const ParameterSelection& Selection() const { return selection_; }
    const SummaryGrid& Grid() const { return grid_; }

    // --- Controls --------------------------------------------------------
    QTableView* Stab = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    DateField* from = nullptr;
    DateField* till = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    FileDialogSettings OpenDialog1;
    FileDialogSettings SaveDialog1;

public slots:
    // The window has no close box: it is left through "Далее" only, and
    // Escape does not close it either.
    void reject() override;

private:
    void PushDates();  // pickers -> model
    void PullDates();  // model -> pickers
    int LeftSelectedColumn() const;

    std::array<QCheckBox*, kParameterCount> boxes_{};
    SummaryTableModel model_;
    ParameterSelection selection_;
    SummaryGrid grid_;
    SummaryGridModel* gridModel_ = nullptr;
    SummaryGridModel* captionModel_ = nullptr;  // column 0 alone, for the fixed column
    bool openFailed_ = false;  // the opened index exists but could not be read
    bool saved_ = false;       // the choice was written at the end of the program
};

}  // namespace rw
