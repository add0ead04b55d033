// The report and result windows offscreen: the printable report to PDF, the
// raw results and help viewers, the comparison window, the calibration
// dialog's edit filter, the feed information window, the recommendations
// computed on showing, and the buttons of the results window.
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "common/codepage.h"
#include "common/configuration.h"
#include "common/files.h"
#include "common/number_format.h"
#include "conditions/conditions_form.h"
#include "results/activity_window.h"
#include "results/calibration_dialog.h"
#include "results/comparison_window.h"
#include "results/help_window.h"
#include "results/report_window.h"
#include "results/result_views.h"
#include "results/results_file.h"
#include "results/results_window.h"
#include "runs/advice_window.h"
#include "runs/feed_info_window.h"
#include "runs/run_object.h"
#include "shell/main_window.h"
#include "shell/plant_selection.h"
#include "shell/program_context.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"
#include "window_test_support.h"

using namespace rw;
using namespace rw::test;

namespace {

QString TestData(const QString& relative) { return QString(REFORMER_TEST_DATA) + "/" + relative; }

// Text of a PDF by pdftotext when it is installed; a null string otherwise.
QString PdfText(const QString& pdf) {
    const QString tool = QStandardPaths::findExecutable("pdftotext");
    if (tool.isEmpty()) return {};
    QProcess p;
    p.start(tool, {"-layout", pdf, "-"});
    if (!p.waitForFinished(30000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Page count of a PDF by pdfinfo; 0 when it is not installed.
int PdfPages(const QString& pdf) {
    const QString tool = QStandardPaths::findExecutable("pdfinfo");
    if (tool.isEmpty()) return 0;
    QProcess p;
    p.start(tool, {pdf});
    if (!p.waitForFinished(30000)) return 0;
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split('\n')) {
        if (line.startsWith("Pages:")) return line.mid(6).trimmed().toInt();
    }
    return 0;
}

bool LooksLikePdf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.size() > 100 && f.read(5) == "%PDF-";
}

// A composition file of the sample with the given tail lines after its 138
// composition lines.
QByteArray CompositionWithTail(const QStringList& tail) {
    std::vector<std::string> lines = SplitLines(ReadFileBytes(TestData("pipeline/01-09-09.sk").toStdString()));
    lines.resize(138);
    for (const QString& t : tail) lines.push_back(t.toStdString());
    return QByteArray::fromStdString(JoinLinesCrLf(lines));
}

}  // namespace

class ReportWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void pdfOfTheReportHoldsItsText();
    void longReportBreaksIntoPagesAndEmptyReportIsOnePage();
    void rawResultsViewDecodesCp866AndRestoresTheFont();
    void latestResultsBeforeAnyCalculationSaySo();
    void chosenResultsFileIsViewed();
    void helpTextFromTheBaseFolder();
    void comparisonWithShortAndLongNames();
    void comparisonWithAnUnreadableFileKeepsTheColumn();
    void calibrationEditsDropWhatIsNotANumber();
    void feedInformationComparedWithAnotherFile();
    void recommendationsComputedOnEveryShow();
    void resultsWindowButtonsOpenTheirWindows();
};

void ReportWindowsTest::pdfOfTheReportHoldsItsText() {
    TFRep rep;
    QCOMPARE(rep.windowTitle(), QString("Отчет"));
    QCOMPARE(rep.Rep.Font.family(), QString("Times New Roman"));
    QCOMPARE(rep.Rep.Font.pointSize(), 11);
    rep.Rep.Lines = QStringList{"Отчет по установке Л-35-11/450К", "Дата отбора 01-09-09",
                                "Активность катализатора 0.871", "Выход риформата 86.05"};
    QTemporaryDir dir;
    const QString pdf = dir.filePath("report.pdf");
    rep.PrintToPdf(pdf);
    QVERIFY(LooksLikePdf(pdf));
    const QString text = PdfText(pdf);
    if (text.isNull()) QSKIP("pdftotext is not installed: the PDF exists, its text is not checked");
    for (const QString& line : rep.Rep.Lines) QVERIFY2(text.contains(line), qPrintable(line + " / " + text));

    // The frames of a raw results file survive in the fixed-pitch face.
    rep.UseRawResultsFont();
    rep.Rep.Lines = QStringList{"╔══════╤═════╗", "║ 0.87 │ 1.8 ║", "╚══════╧═════╝"};
    const QString raw = dir.filePath("raw.pdf");
    rep.PrintToPdf(raw);
    const QString rawText = PdfText(raw);
    for (const QString& line : rep.Rep.Lines) QVERIFY2(rawText.contains(line), qPrintable(line + " / " + rawText));
}

void ReportWindowsTest::longReportBreaksIntoPagesAndEmptyReportIsOnePage() {
    TFRep rep;
    for (int i = 1; i <= 150; ++i) rep.Rep.Lines << QString("Строка отчета %1").arg(i);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("long.pdf");
    rep.PrintToPdf(pdf);
    QVERIFY(LooksLikePdf(pdf));
    const QString empty = dir.filePath("empty.pdf");
    rep.Rep.Lines.clear();
    rep.PrintToPdf(empty);
    QVERIFY(LooksLikePdf(empty));

    const int pages = PdfPages(pdf);
    if (pages == 0) QSKIP("pdfinfo is not installed");
    QVERIFY2(pages >= 2, qPrintable(QString::number(pages)));
    QCOMPARE(PdfPages(empty), 1);
    const QString text = PdfText(pdf);
    QVERIFY(text.contains("Строка отчета 1\n") || text.contains("Строка отчета 1 "));
    QVERIFY(text.contains("Строка отчета 150"));
}

void ReportWindowsTest::rawResultsViewDecodesCp866AndRestoresTheFont() {
    StartedProgram program;
    DialogAnswers answers;
    const std::string frame = "╔═══════╤═══════╗";
    program.base.write("raw.rez", QByteArray::fromStdString(Utf8ToCp866("Результаты\r\n" + frame + "\r\n")));
    TFRep* rep = W().fRep;
    QStringList shownLines;
    bool fixedPitch = false;
    answers.modal = [&](QDialog* d) {
        if (d == rep) {
            shownLines = rep->Rep.Lines;
            fixedPitch = QFontInfo(rep->Rep.Font).fixedPitch();
        }
        return int(QDialog::Accepted);
    };
    ViewResultsFile(program.base.file("raw.rez").toStdString());
    QCOMPARE(shownLines, (QStringList{"Результаты", QString::fromStdString(frame)}));
    QVERIFY(fixedPitch);
    QCOMPARE(rep->Rep.Font.family(), QString("Times New Roman"));
    QCOMPARE(rep->Rep.Font.pointSize(), 10);

    // A missing file: the message, no window, the report as it was.
    answers.modalShown.clear();
    QVERIFY(!RunHandler(nullptr, [&] { ViewResultsFile(program.base.file("none.rez").toStdString()); }));
    QCOMPARE(answers.messages.last(), QString("File not found"));
    QVERIFY(answers.modalShown.isEmpty());
    QCOMPARE(rep->Rep.Lines, shownLines);
}

void ReportWindowsTest::latestResultsBeforeAnyCalculationSaySo() {
    StartedProgram program;
    DialogAnswers answers;
    RavionObj().ResultsPath.clear();
    W().form5->N15Click();
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(answers.messages[0], QString::fromUtf8(kNoCalculationYet.data(), int(kNoCalculationYet.size())));
    QVERIFY(answers.modalShown.isEmpty());
}

void ReportWindowsTest::chosenResultsFileIsViewed() {
    StartedProgram program;
    DialogAnswers answers;
    SelectPlant(Context(), 11);
    QString folderOffered;
    answers.openFile = [&](const QString&, const QString& folder) {
        folderOffered = folder;
        return TestData("results/base.rez");
    };
    W().form5->N17Click();
    QCOMPARE(folderOffered, NativePath(Context().plantFolder));
    QCOMPARE(answers.modalShown.size(), 1);
    QCOMPARE(answers.modalShown[0], static_cast<QDialog*>(W().fRep));
    QVERIFY(W().fRep->Rep.Lines.value(1).startsWith("01.09.2009"));

    // Cancelled: nothing is shown.
    answers.openFile = nullptr;
    W().form5->N17Click();
    QCOMPARE(answers.modalShown.size(), 1);
}

void ReportWindowsTest::helpTextFromTheBaseFolder() {
    StartedProgram program;
    DialogAnswers answers;
    TForm10* help = W().form10;
    QCOMPARE(help->windowTitle(), QString(67, ' ') + "Результаты проведенных расчетов");
    W().form5->N1Click();
    QCOMPARE(answers.modalShown.size(), 1);
    QCOMPARE(answers.modalShown[0], static_cast<QDialog*>(help));
    const QString text = help->MemoRez->toPlainText();
    QVERIFY(text.contains("Подачи хлорорганики"));
    QVERIFY(text.contains(QString::fromUtf8("═")));
    QVERIFY(QFontInfo(help->MemoRez->font()).fixedPitch());

    // "Далее" closes with OK and gives the main window back.
    W().form5->setEnabled(false);
    help->BitBtn1->click();
    QCOMPARE(help->result(), int(QDialog::Accepted));
    QVERIFY(W().form5->isEnabled());

    // The working configuration names the base folder in use where the text
    // speaks of the one beside the program.
    SetConfiguration(Configuration::Working);
    W().form5->N1Click();
    SetConfiguration(Configuration::Described);
    const QString working = help->MemoRez->toPlainText();
    const QString inUse = QDir::toNativeSeparators(QDir::cleanPath(NativePath(Context().baseFolder)));
    QVERIFY(working.contains("Все файлы хранятся в папке " + inUse + ": для"));
    QVERIFY(!working.contains("bin\\sk"));

    program.base.remove("помощь.txt");
    QVERIFY(!RunHandler(nullptr, [] { W().form5->N1Click(); }));
    QCOMPARE(answers.messages.last(), QString("File not found"));
    QCOMPARE(answers.modalShown.size(), 2);
}

void ReportWindowsTest::comparisonWithShortAndLongNames() {
    StartedProgram program;
    DialogAnswers answers;
    SelectPlant(Context(), 11);
    const QByteArray rez = QByteArray::fromStdString(ReadFileBytes(TestData("results/base.rez").toStdString()));
    program.base.write("cmp/1-9-9.rez", rez);
    program.base.write("cmp/01-09-2009.rez", rez);
    TForm12* form = W().form12;
    QCOMPARE(form->Label25->text(), QString("Label25"));
    QCOMPARE(form->C1->text(), QString());

    QString chosen = program.base.file("cmp/1-9-9.rez");
    QString folderOffered;
    answers.openFile = [&](const QString&, const QString& folder) {
        folderOffered = folder;
        return chosen;
    };
    form->Button2->click();
    QCOMPARE(folderOffered, NativePath(Context().plantFolder));
    QCOMPARE(form->Label24->text(), QString("1-9-9.re"));
    const ResultsRecord r = ReadResultsFile(chosen.toStdString());
    QCOMPARE(form->C1->text(), QString::fromStdString(FormatFixedPrecision(r.activity, 7, 3)));
    QCOMPARE(form->C12->text(), QString::fromStdString(FormatFixedPrecision(r.octaneResearch, 7, 3)));
    QCOMPARE(form->C11->text(), QString::fromStdString(FormatFixedPrecision(r.processedFeed, 7, 3)));
    QCOMPARE(form->C5->text(),
             QString::fromStdString(FormatFixedPrecision((r.normalIsoFeed - r.normalIsoProduct) * 100, 7, 3)));
    // The right column alone: the latest calculation's labels keep their design texts.
    QCOMPARE(form->Label15->text(), QString("Label15"));

    chosen = program.base.file("cmp/01-09-2009.rez");
    form->Button2->click();
    QCOMPARE(form->Label24->text(), QString("01-09-20"));
    QVERIFY(answers.messages.isEmpty());
}

void ReportWindowsTest::comparisonWithAnUnreadableFileKeepsTheColumn() {
    StartedProgram program;
    DialogAnswers answers;
    TForm12* form = W().form12;
    ResultsRecord r;
    r.activity = 0.95;
    form->ShowCompared("/x/01-09-09.rez", r);
    answers.openFile = [](const QString&, const QString&) { return TestData("results/bad_date.rez"); };
    form->Button2->click();
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(form->Label24->text(), QString("01-09-09"));
    QCOMPARE(form->C1->text(), QString("0.950"));
}

void ReportWindowsTest::calibrationEditsDropWhatIsNotANumber() {
    TForm11 dialog;
    QCOMPARE(dialog.windowTitle(), QString(31, ' ') + "Результаты проведенных расчетов ");
    dialog.BitBtn2->setEnabled(false);
    QTest::keyClicks(dialog.Edit1, "1,5");
    QCOMPARE(dialog.Edit1->text(), QString("15"));
    QVERIFY(dialog.BitBtn2->isEnabled());
    QTest::keyClicks(dialog.Edit2, "1.5");
    QCOMPARE(dialog.Edit2->text(), QString("1.5"));
    QTest::keyClicks(dialog.Edit3, "-");
    QCOMPARE(dialog.Edit3->text(), QString("-"));
    QTest::keyClicks(dialog.Edit3, "2z5");
    QCOMPARE(dialog.Edit3->text(), QString("-25"));
    // At most eight typed characters; a longer text put in by the calculation stays.
    QTest::keyClicks(dialog.Edit4, "0.1234567");
    QCOMPARE(dialog.Edit4->text(), QString("0.123456"));
    dialog.Edit4->setText("0.123456789");
    QCOMPARE(dialog.Edit4->text(), QString("0.123456789"));

    dialog.BitBtn2->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    dialog.BitBtn1->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void ReportWindowsTest::feedInformationComparedWithAnotherFile() {
    StartedProgram program;
    DialogAnswers answers;
    SelectPlant(Context(), 11);
    QStringList twelve;
    for (const char* v : {"78.", "83.", "80.", "93.", "101.", "0.715"}) twelve << QString(17, ' ') + v;
    for (const char* v : {"86", "96", "113", "152", "175", "0.730"}) twelve << QString(19, ' ') + v;
    program.base.write("Hornel/Fr/01-10-09.sk", CompositionWithTail(twelve));
    program.base.write("Hornel/Fr/five.sk", CompositionWithTail(twelve.mid(7)));

    TForm30* form = W().form30;
    QCOMPARE(form->windowTitle(), QString(34, ' ') + "Информация");
    QString chosen = program.base.file("Hornel/Fr/01-10-09.sk");
    answers.openFile = [&](const QString&, const QString&) { return chosen; };
    form->Button2->click();
    QCOMPARE(form->Label10->text(), QString("01-10-09"));
    QCOMPARE(form->Ff1->text(), QString("   86"));
    QCOMPARE(form->Ff6->text(), QString("   0.730"));

    chosen = program.base.file("Hornel/Fr/five.sk");
    form->Button2->click();
    QCOMPARE(form->Label10->text(), QString("five.sk"));
    for (QLabel* f : {form->Ff1, form->Ff2, form->Ff3, form->Ff4, form->Ff5, form->Ff6}) QVERIFY(f->text().isEmpty());
    QVERIFY(answers.messages.isEmpty());
}

void ReportWindowsTest::recommendationsComputedOnEveryShow() {
    StartedProgram program;
    DialogAnswers answers;
    SelectPlant(Context(), 11);  // l90 of plant 12: weights 0.12 0.23 0.35
    TForm8* form = W().form8;
    const std::pair<int, const char*> texts[] = {{1, "65.0"}, {2, "78000.00"}, {7, "492.00"}, {8, "495.00"},
                                                 {9, "497.00"}, {11, " 68.00"}, {12, " 37.00"}, {13, " 18.00"},
                                                 {24, "  0.01"}};
    for (auto [n, t] : texts) form->Edit(n)->setText(t);
    RavionObj().Results.activity = 0.8;
    RavionObj().Results.crackingNumber = 2.5;

    TAdvice* advice = W().advice;
    QCOMPARE(advice->windowTitle(), QString("Рекомендации"));
    advice->show();
    QCOMPARE(advice->AKt->text(), QString("0.8"));
    QCOMPARE(advice->Nm->text(), QString("2.5"));
    QCOMPARE(advice->ad->text(), QString("Рекомендуется подать хлорорганику"));
    QCOMPARE(advice->reas->text(), QString("Повышенная активность обусловлена\nвысокими температурами"));
    const QStringList doses = advice->Label5->text().split('\n');
    QCOMPARE(doses.size(), 3);
    QVERIFY(doses[0].startsWith(" хлора, ppm. вес.  "));
    QVERIFY(doses[1].startsWith("дихлорэтана, л/сут.  "));
    QVERIFY(doses[2].startsWith("четыреххлористый углерод, л/сут.  "));
    QVERIFY(answers.messages.isEmpty());
    advice->Button1->click();
    QVERIFY(!advice->isVisible());

    // Shown again after a run with a low activity and an empty feed flow:
    // the values and advice are new, the doses cannot be worked out.
    RavionObj().Results.activity = 0.75;
    form->Edit(1)->setText("0");
    advice->show();
    QCOMPARE(advice->AKt->text(), QString("0.75"));
    QCOMPARE(advice->ad->text(), QString());
    QCOMPARE(answers.messages.size(), 1);
    QVERIFY(answers.messages[0].startsWith("Расход сырья равен нулю"));
    QCOMPARE(advice->Label5->text(), QString());
    advice->hide();
}

void ReportWindowsTest::resultsWindowButtonsOpenTheirWindows() {
    StartedProgram program;
    DialogAnswers answers;
    TNewReportForm* form = W().newReportForm;
    form->SetTexts("Расчет проведен успешно.", "first\rsecond");
    QCOMPARE(form->Label2->text(), QString("first\nsecond"));
    form->Button2->click();
    form->Button3->click();
    form->Button4->click();
    form->Button5->click();
    QCOMPARE(answers.modalShown, (QList<QDialog*>{W().advice, W().form12, W().form30, W().m_A}));
    form->show();
    QCOMPARE(form->focusWidget(), static_cast<QWidget*>(form->Button6));
    form->Button6->click();
    QVERIFY(!form->isVisible());
}

QTEST_MAIN(ReportWindowsTest)
#include "report_windows_test.moc"
