#pragma once
#include <QDialog>
#include <string>
#include <vector>

#include "runs/replay.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace rw {

// "Пересчет истории установки": the calculated dates of the selected plant
// made again with the base folder's model programs and compared with the
// stored results (core/runs/replay), a line a date as it ends. A date's
// stored and new results open side by side in the comparison window. The
// list is copied or saved as text.
class ReplayWindow : public QDialog, private ReplayQuestions {
    Q_OBJECT
public:
    ReplayWindow(std::string baseFolder, int plantIndex, const QString& plantCaption, QWidget* parent = nullptr);

    QTableWidget* DateList = nullptr;     // date, verdict
    QProgressBar* Progress = nullptr;
    QLabel* Status = nullptr;
    QPushButton* StartButton = nullptr;    // "Пересчитать"
    QPushButton* StopButton = nullptr;     // "Прервать": after the date in progress
    QPushButton* CompareButton = nullptr;  // "Сравнить": the selected date side by side
    QPushButton* CopyButton = nullptr;     // "Копировать"
    QPushButton* SaveButton = nullptr;     // "Сохранить..."
    QPushButton* CloseButton = nullptr;    // "Закрыть"

    // The list as text: a line a date and the summary ('\n' line ends).
    QString ListText() const;
    // Saves ListText as UTF-8; throws UserError when it cannot.
    void SaveTo(const QString& path) const;
    const ReplayOutcome& Outcome() const { return outcome_; }

    // Replays every calculated date of the plant; returns when done or stopped.
    void Start();
    // Asks the replay to stop before the next date.
    void Stop();
    // The comparison window for the row's date, when both results are there.
    void CompareRow(int row);

private:
    bool KeepGoing() override;
    void DateStarted(const std::string& sampleName, int position, int count) override;
    void RunStarted(TRavionObj& run) override;
    void DateDone(const ReplayedDate& date) override;
    void UpdateButtons();

    std::string baseFolder_;
    int plantIndex_ = 0;
    bool running_ = false;
    bool stopAsked_ = false;
    ReplayOutcome outcome_;
    std::vector<ReplayedDate> done_;
};

}  // namespace rw
