#pragma once
#include <QObject>
#include <QString>

class QPushButton;

namespace rw {

class TForm5;
class TRavionObj;

// The main window while the run object works: the progress bar advances by
// one per model run, the label shows how many runs were made and the
// activity and dosing the model runs with now (working configuration; the
// described one keeps its plain wait text), and "Прервать" beside the bar
// terminates the model program: the run then fails as cancelled and nothing
// is stored. Meanwhile the window keeps repainting, and that button is the
// only control that takes input. Everything is undone when the object goes,
// whether the run succeeded or threw.
class RunProgress : public QObject {
public:
    RunProgress(TForm5* main, TRavionObj& run, const QString& waitText);
    // For a model run without the run object, started from a modal window
    // (the deactivation's sample runs): `cancel` is that window's "Прервать",
    // the only control that takes input meanwhile; the caller's wait asks
    // KeepWaiting.
    RunProgress(TForm5* main, QPushButton* cancel, const QString& waitText);
    ~RunProgress() override;
    RunProgress(const RunProgress&) = delete;
    RunProgress& operator=(const RunProgress&) = delete;

    // Lets the window answer while a model runs; false once "Прервать" was pressed.
    bool KeepWaiting();

    // The label text after `runs` model runs with the given activity and dosing.
    static QString Status(const QString& waitText, int runs, double activity, double dosing);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TForm5* main_;
    TRavionObj* run_;
    QPushButton* cancel_;
    bool cancelled_ = false;
    bool wasEnabled_;
};

}  // namespace rw
