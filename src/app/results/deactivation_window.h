#pragma once
#include <QDialog>
#include <QString>
#include <string>
#include <vector>

#include "results/deactivation.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace rw {

// "Расчет дизактивации": two conditions files of the plant and one
// composition file are run through the model, and the loss of catalyst
// activity per feed processed between the two dates is worked out. The
// value can be stored under a date in the plant's deactivation history
// dizakt.<plant index> and shown as a graph.
class TRasDisAkt : public QDialog {
    Q_OBJECT
public:
    explicit TRasDisAkt(QWidget* parent = nullptr);

    // The folder shown by the folder list DLB and the file list FL, in the
    // program's notation. A folder that does not exist shows no files.
    void SetFolder(const std::string& folder);
    std::string Folder() const;

    // The result of the latest calculation, what "Копировать на график"
    // stores; 0 until the first calculation of the program run.
    double LastValue = 0;

    QGroupBox* GroupBox1 = nullptr;  // "Выбор данных   : "
    QLabel* Label1 = nullptr;        // "Выбор каталога:"
    QListWidget* DLB = nullptr;      // folders: the path down to the folder, then its sub-folders
    QLabel* Label2 = nullptr;        // "Список файлов:"
    QListWidget* FL = nullptr;       // *.dan files of the folder
    QLabel* Label3 = nullptr;        // "Выбранные *.dan файлы:"
    QLabel* Label4 = nullptr;        // "с техн. условиями"
    QListWidget* LFB = nullptr;      // the chosen conditions files, at most two
    QPushButton* BitBtn1 = nullptr;  // "Добавить"
    QPushButton* BitBtn2 = nullptr;  // "Удалть"
    QLabel* Label6 = nullptr;        // "Выбранный *.sk файл:"
    QLabel* SkFileChouse = nullptr;  // path of the composition file
    QGroupBox* GroupBox2 = nullptr;  // "Результат:"
    QLabel* Lp = nullptr;            // "Период - "
    QLabel* Deakt = nullptr;         // "Дезактивация"
    QPushButton* Button3 = nullptr;  // "Копировать на график"
    QPushButton* Button4 = nullptr;  // "Очистить график"
    QPushButton* Button1 = nullptr;  // "Расчет"
    QPushButton* Button2 = nullptr;  // "Оk"
    QPushButton* CancelRun = nullptr;  // "Прервать", shown while a model runs (working configuration)

public slots:
    void BitBtn1Click();  // add the file chosen in FL
    void BitBtn2Click();  // remove the entry chosen in LFB
    // Runs the model for both conditions files and works out the value.
    // Throws UserError when a file cannot be read or written; the result
    // labels and the last value then stay as they were.
    void Button1Click();
    void Button2Click();  // "Оk"
    // Asks for a date and stores the last value under it. Throws UserError
    // for a text that is no date or a history that cannot be written.
    void Button3Click();
    // Asks, then deletes the history. Throws UserError("Не могу удалить
    // файл: " + path) when it cannot be deleted.
    void Button4Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DlbActivated(QListWidgetItem* item);
    void FillFileList();
    QString folder_;  // native path of the folder shown
};

// "Расчет дизактивации": the window on the plant folder, modally.
void ShowDeactivationCalculation();

// The plant's deactivation history file: base folder + "\dizakt." + plant index.
std::string PlantDeactivationHistoryPath();

// Shows the points of a history in the graph window with the given title,
// the parameter list hidden meanwhile.
void ShowDeactivationHistory(const std::vector<DeactivationPoint>& points, const QString& title);

// "График дезактивации": the plant's history as a graph; nothing happens when
// the plant has none.
void ShowPlantDeactivationGraph();

}  // namespace rw
