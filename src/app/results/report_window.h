#pragma once
#include <QDialog>
#include <QFont>
#include <QStringList>
#include <string>

class QPrinter;
class QPrintPreviewDialog;
class QPushButton;

namespace rw {

// The text block of the printable report: its lines and the font they are
// printed in. Other windows fill it and then show TFRep or open the preview.
struct TReportMemo {
    QStringList Lines;
    QFont Font;
};

// "Отчет": holds one block of text and shows it in a print preview at once
// when shown; closing the preview closes the window. The page set-up is
// fixed: A4 portrait, 10 mm margins on every side, preview zoom 50 %.
class TFRep : public QDialog {
    Q_OBJECT
public:
    explicit TFRep(QWidget* parent = nullptr);

    TReportMemo Rep;
    QPushButton* Button1 = nullptr;  // "Готово"
    QPushButton* Button2 = nullptr;  // "Просмотр и печать"

    // The page set-up of the report on a printer (paper, orientation, margins).
    static void SetUpPage(QPrinter& printer);
    // The preview of the report over `printer`, zoomed to 50 %, not yet shown
    // (the caller runs it; the window test grabs it).
    QPrintPreviewDialog* CreatePreview(QPrinter& printer, QWidget* parent);
    // Opens the preview modally and returns when the user closes it; the
    // user prints from there.
    void Preview();
    // Lays the report out on the printer's pages and prints it; an empty
    // report still gives one (empty) page.
    void PrintReport(QPrinter* printer) const;
    // Prints the report into a PDF file with the report's page set-up.
    // Throws UserError when the file cannot be written.
    void PrintToPdf(const QString& path) const;

    // The raw results are printed in the fixed-pitch font of the system that
    // has the frame characters of the model's tables; afterwards the report
    // font goes back to "Times New Roman" (the size stays).
    void UseRawResultsFont();
    void RestoreReportFont();

public slots:
    void Button1Click();  // "Готово", also when the preview is closed
    void Button2Click();  // "Просмотр и печать", also when the window is shown

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool previewing_ = false;
};

// A fixed-pitch face of the system that has the frame characters of the DOS
// code page: the raw results and the help text are drawn with it.
QFont DosTextFont();

// The raw results view: a results file as the model wrote it, decoded from
// code page 866, in the report window. Throws UserError("File not found")
// before anything is shown when the file is missing.
void ViewResultsFile(const std::string& path);
// The same for the bytes of a results file already read.
void ViewResultsText(const std::string& bytes);
// "Результаты расчета": the results file of the latest reforming calculation;
// a message when there has been none in this run of the program.
void ViewLatestResults();
// "Просмотр результатов": a results file chosen in the plant folder.
void ChooseAndViewResults();

}  // namespace rw
