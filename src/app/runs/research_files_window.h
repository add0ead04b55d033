#pragma once
#include <QDialog>
#include <QString>

#include "runs/research_run.h"
#include "shell/window_helpers.h"

class QGroupBox;
class QLineEdit;
class QPushButton;

namespace rw {

// The file choice of a research run: the conditions file, the composition
// file and the file the results are saved in. Each text is checked when the
// user leaves its edit or browses to a file; "Далее" lets the study go on
// only when the three checks have passed.
class TResF : public QDialog {
    Q_OBJECT
public:
    explicit TResF(QWidget* parent = nullptr);

    // The start of a study: the dialogs forget their file names, the edits
    // get the plant folder (twice) and the research folder, each with a final
    // separator, and the validity flags are cleared.
    void StartStudy(const std::string& plantFolder, const std::string& researchFolder);

    QGroupBox* GroupBox1 = nullptr;  // "Файл с технологическими данными"
    QGroupBox* GroupBox2 = nullptr;  // "Файл с данными по сырью и катализату"
    QGroupBox* GroupBox3 = nullptr;  // "Результаты расчета сохранить в файл"
    QLineEdit* DanF = nullptr;
    QLineEdit* SkF = nullptr;
    QLineEdit* RezF = nullptr;
    QPushButton* Button1 = nullptr;  // "Обзор" of DanF
    QPushButton* Button2 = nullptr;  // "Обзор" of SkF
    QPushButton* Button3 = nullptr;  // "Обзор" of RezF
    QPushButton* Button4 = nullptr;  // "Далее"
    QPushButton* Button5 = nullptr;  // "Отмена"
    QPushButton* Button6 = nullptr;  // "Очистить директорию от результатов расчета"
    FileDialogSettings OpenD;
    FileDialogSettings SaveR;

    // The choice "Далее" accepted: the three edit texts as they were then.
    QString ConditionsFile;
    QString CompositionFile;
    QString ResultsFile;

    // Validity of the three texts; kept from one pass of a study to the next.
    StudyFileFlags Flags;

public slots:
    // The checks run when the user leaves an edit.
    void DanFExit();
    void SkFExit();
    void RezFExit();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    // Clears the research folder of the program context after a question.
    void Button6Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace rw
