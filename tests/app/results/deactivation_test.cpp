// The deactivation calculation driven offscreen with the stand-in model:
// choosing the files by browsing the plant folder, the two sample runs
// through the review form, the raw results and the calibration dialog, the
// value between two dates, storing it in the history, the history graph and
// clearing it.
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <filesystem>

#include <unistd.h>

#include "common/configuration.h"
#include "common/dates.h"
#include "common/file_lock.h"
#include "common/files.h"
#include "common/regional.h"
#include "conditions/conditions_form.h"
#include "results/calibration_dialog.h"
#include "results/deactivation.h"
#include "results/deactivation_window.h"
#include "results/graph_window.h"
#include "results/report_window.h"
#include "results/to_graph_dialog.h"
#include "shell/main_window.h"
#include "shell/plant_selection.h"
#include "shell/program_context.h"
#include "shell/window_registry.h"
#include "runs/external_program.h"
#include "window_test_support.h"

using namespace rw;
using namespace rw::test;

namespace {

namespace fs = std::filesystem;

constexpr int kHornel = 11;  // plant index of the sample plant (kelmar.exe)

bool InstallStandIns(const TempBaseFolder& base) { return CopyStandIns(base, {"vortan.exe", "vortan-10.exe", "kelmar.exe"}); }

QByteArray TestFile(const QString& relative) {
    QFile f(QString(REFORMER_TEST_DATA) + "/" + relative);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

std::string Program(const QString& nativePath) {
    std::string s = QDir::toNativeSeparators(nativePath).toStdString();
    for (char& ch : s)
        if (ch == '/') ch = '\\';
    return s;
}

// The sample plant selected; the composition of 01-09-09 beside its
// conditions file.
void SelectHornel(const TempBaseFolder& base) {
    SelectPlant(Context(), kHornel);
    FinishPlantSelection(Context(), kHornel);
    base.write("Hornel/01-09-09/01-09-09.sk", TestFile("pipeline/01-09-09.sk"));
}

QListWidgetItem* Item(QListWidget* list, const QString& text) {
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().trimmed() == text) return list->item(i);
    return nullptr;
}

// Browses to a sub-folder of the plant folder through the folder list, picks
// a file in the file list and adds it.
void AddThroughLists(TRasDisAkt* w, const QString& subFolder, const QString& file) {
    w->SetFolder(Context().plantFolder);
    QListWidgetItem* folder = Item(w->DLB, subFolder);
    QVERIFY2(folder, qPrintable(subFolder));
    emit w->DLB->itemActivated(folder);
    QCOMPARE(QString::fromStdString(w->Folder()), QString::fromStdString(Context().plantFolder) + "\\" + subFolder);
    QListWidgetItem* item = Item(w->FL, file);
    QVERIFY2(item, qPrintable(file));
    w->FL->setCurrentItem(item);
    QVERIFY(Click(w, "BitBtn1"));
}

// What the windows of the sample runs showed.
struct RunLog {
    int reviews = 0;
    int rawResults = 0;
    QStringList rawFirstLines;
    QStringList calibrationEdits4;
    QStringList aromatics;
    bool continueDisabledOnShow = false;
    bool progressHiddenAtCalibration = false;
};

// Answers the windows of a calculation: the review form gets `processedFeed`
// typed into Edit26 (one text per sample, in order), the raw results are
// closed, the calibration dialog continues once with `continueActivity` in
// Edit4 when that is set, then ends.
std::function<int(QDialog*)> Answer(RunLog& log, QStringList processedFeed, QString continueActivity = {}) {
    return [&log, processedFeed, continueActivity](QDialog* d) mutable -> int {
        if (auto* form = qobject_cast<TForm8*>(d)) {
            if (log.reviews < processedFeed.size()) form->Edit26->setText(processedFeed[log.reviews]);
            ++log.reviews;
            Click(d, "Button3");
            return d->result();
        }
        if (auto* rep = qobject_cast<TFRep*>(d)) {
            ++log.rawResults;
            log.rawFirstLines << rep->Rep.Lines.value(1);
            return int(QDialog::Accepted);
        }
        if (auto* calibration = qobject_cast<TForm11*>(d)) {
            log.continueDisabledOnShow = !calibration->BitBtn2->isEnabled();
            log.progressHiddenAtCalibration = W().form5->ProgressBar1->isHidden();
            log.calibrationEdits4 << calibration->Edit4->text();
            log.aromatics << calibration->Label9->text() + "/" + calibration->Label10->text();
            if (!continueActivity.isEmpty()) {
                calibration->Edit4->setText(continueActivity);
                continueActivity.clear();
                Click(d, "BitBtn2");
            } else {
                Click(d, "BitBtn1");
            }
            return d->result();
        }
        return int(QDialog::Rejected);
    };
}

// What the graph window showed.
struct GraphSeen {
    QString title;
    QStringList labels;
    QList<qreal> values;
    bool listHidden = false;
};

std::function<int(QDialog*)> StoreUnder(const QString& date, GraphSeen& seen, int* toGrShown = nullptr) {
    return [date, &seen, toGrShown](QDialog* d) -> int {
        if (auto* ask = qobject_cast<TToGr*>(d)) {
            if (toGrShown) ++*toGrShown;
            if (date.isEmpty()) {
                Click(d, "BitBtn2");
                return d->result();
            }
            ask->Dt->setText(date);
            Click(d, "BitBtn1");
            return d->result();
        }
        if (auto* graph = qobject_cast<TGraph*>(d)) {
            seen.title = graph->chart->title();
            seen.labels = QStringList();
            for (const std::string& l : graph->Plotted().labels) seen.labels << QString::fromStdString(l);
            seen.values.clear();
            for (const QPointF& p : graph->Series2->points()) seen.values << p.y();
            seen.listHidden = graph->GrList->isHidden() && graph->Label1->isHidden();
            return int(QDialog::Accepted);
        }
        return int(QDialog::Rejected);
    };
}

std::string Point(int y, int m, int d, double value) { return EncodeDeactivationHistory({{EncodeDate(y, m, d), value}}); }

}  // namespace

class DeactivationTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Regional().decimalSeparator = '.'; }
    void menuOpensTheWindowOnThePlantFolder();
    void choosingFiles();
    void deactivationBetweenTwoSampleDates();
    void equalProcessedFeedGivesNoValueToCopy();
    void hungModelStopsAtItsLimitOrOnPrervat();
    void storingBuildsTheHistoryInDateOrder();
    void historyGraphAndClearing();
    void screenshot();
};

void DeactivationTest::menuOpensTheWindowOnThePlantFolder() {
    StartedProgram program;
    DialogAnswers answers;
    SelectHornel(program.base);
    std::string shownFolder;
    answers.modal = [&](QDialog* d) {
        if (auto* w = qobject_cast<TRasDisAkt*>(d)) shownFolder = w->Folder();
        return int(QDialog::Accepted);
    };
    W().form5->N19Click();
    QCOMPARE(QString::fromStdString(shownFolder), QString::fromStdString(Context().plantFolder));
    TRasDisAkt* w = W().rasDisAkt;
    QVERIFY(Item(w->DLB, "01-09-09"));
    QVERIFY(w->FL->count() == 0);  // no conditions files directly in the plant folder
    QVERIFY(!w->Button3->isEnabled());
}

void DeactivationTest::choosingFiles() {
    StartedProgram program;
    DialogAnswers answers;
    SelectHornel(program.base);
    TRasDisAkt* w = W().rasDisAkt;
    const QString plant = QString::fromStdString(Context().plantFolder);

    // Without a composition file beside it the first file is refused.
    AddThroughLists(w, "10-06-09", "10-06-09.dan");
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(answers.messages[0], "Необходим файла с данными по составу сырья и катализата:\n" + plant +
                                      "\\10-06-09\\10-06-09.sk");
    QCOMPARE(w->LFB->count(), 0);

    AddThroughLists(w, "01-09-09", "01-09-09.dan");
    QCOMPARE(w->LFB->count(), 1);
    QCOMPARE(w->SkFileChouse->text(), plant + "\\01-09-09\\01-09-09.sk");
    QVERIFY(Click(w, "BitBtn1"));  // the same file again
    QCOMPARE(w->LFB->count(), 1);
    // A double click in the file list adds as "Добавить" does.
    AddThroughLists(w, "10-06-09", "10-06-09.dan");
    emit w->FL->itemDoubleClicked(w->FL->currentItem());
    QCOMPARE(w->LFB->count(), 2);
    AddThroughLists(w, "10-12-08", "10-12-08.dan");  // a third is never added
    QCOMPARE(w->LFB->count(), 2);
    QCOMPARE(w->LFB->item(1)->text(), plant + "\\10-06-09\\10-06-09.dan");
    QCOMPARE(answers.messages.size(), 1);

    // "Удалть" removes the selected entry only; the composition path stays.
    w->LFB->setCurrentRow(0);
    QVERIFY(Click(w, "BitBtn2"));
    QCOMPARE(w->LFB->count(), 1);
    QCOMPARE(w->LFB->item(0)->text(), plant + "\\10-06-09\\10-06-09.dan");
    QCOMPARE(w->SkFileChouse->text(), plant + "\\01-09-09\\01-09-09.sk");
    w->LFB->setCurrentRow(-1);
    QVERIFY(Click(w, "BitBtn2"));
    QCOMPARE(w->LFB->count(), 1);
}

void DeactivationTest::deactivationBetweenTwoSampleDates() {
    StartedProgram program;
    DialogAnswers answers;
    QVERIFY(InstallStandIns(program.base));
    SelectHornel(program.base);
    TRasDisAkt* w = W().rasDisAkt;
    // The later sample first: the period still names the earlier date first.
    AddThroughLists(w, "01-09-09", "01-09-09.dan");
    AddThroughLists(w, "10-12-08", "10-12-08.dan");
    QCOMPARE(w->LFB->count(), 2);

    // The review turns processed feed into days after regeneration (121 and
    // 120), the first sample is run again with the activity changed to 0.9.
    RunLog log;
    answers.modal = Answer(log, {"121", "120"}, "0.9");
    QVERIFY(Click(w, "Button1"));
    QVERIFY2(answers.messages.isEmpty(), qPrintable(answers.messages.join("; ")));
    QCOMPARE(log.reviews, 2);  // once per sample, not again for "Продолжить расчет"
    QCOMPARE(log.rawResults, 3);
    QCOMPARE(log.calibrationEdits4, QStringList({"  0.950", "  0.900", "  1.100"}));
    QVERIFY(log.continueDisabledOnShow);
    QVERIFY(log.progressHiddenAtCalibration);
    QVERIFY2(log.rawFirstLines[0].startsWith("01.09."), qPrintable(log.rawFirstLines[0]));
    QCOMPARE(W().fRep->Rep.Font.family(), QString("Times New Roman"));

    QCOMPARE(w->Lp->text(), QString("Период с 10.12.2008 по 01.09.2009"));
    // One day less of processed feed in the second sample, at the feed rate of
    // the end of the period (01-09-09, 65 m3/h), 24 h and 0.7 t/m3; the plant
    // constant 0.0124 of line 7 of l90.
    const double expected = (0.90 - 1.10) * 100 / (-1.0 * 65.0 * 24 * 0.7) * 0.0124;
    QVERIFY2(std::fabs(w->LastValue - expected) < 1e-15, qPrintable(QString::number(w->LastValue, 'g', 12)));
    QCOMPARE(w->Deakt->text(), QString("Дезактивация = 0.0002 град./(тонн сыр./кг кат.)"));
    QVERIFY(w->Button3->isEnabled());
    QVERIFY(W().form5->isEnabled());
    QVERIFY(W().form5->ProgressBar1->isHidden());
    QVERIFY(program.base.exists("Ver.bak"));
    QVERIFY(program.base.exists("sirkat"));

    // The files exchanged (each sample with its own processed feed): the
    // same value as the order above would give without the changed activity.
    const QString plant = QString::fromStdString(Context().plantFolder);
    w->LFB->clear();
    w->LFB->addItem(plant + "\\10-12-08\\10-12-08.dan");
    w->LFB->addItem(plant + "\\01-09-09\\01-09-09.dan");
    RunLog again;
    answers.modal = Answer(again, {"120", "121"});
    QVERIFY(Click(w, "Button1"));
    QCOMPARE(again.rawResults, 2);
    const double inOrder = (0.95 - 1.10) * 100 / (-1.0 * 65.0 * 24 * 0.7) * 0.0124;
    QVERIFY2(std::fabs(w->LastValue - inOrder) < 1e-15, qPrintable(QString::number(w->LastValue, 'g', 12)));
    QCOMPARE(w->Lp->text(), QString("Период с 10.12.2008 по 01.09.2009"));
}

void DeactivationTest::equalProcessedFeedGivesNoValueToCopy() {
    StartedProgram program;
    DialogAnswers answers;
    QVERIFY(InstallStandIns(program.base));
    SelectHornel(program.base);
    TRasDisAkt* w = W().rasDisAkt;
    AddThroughLists(w, "01-09-09", "01-09-09.dan");
    AddThroughLists(w, "10-06-09", "10-06-09.dan");
    // The value of an earlier pair of dates, ready to be copied.
    w->LastValue = 0.25;
    w->Deakt->setText("Дезактивация = 0.2500 град./(тонн сыр./кг кат.)");
    w->Button3->setEnabled(true);
    RunLog log;
    answers.modal = Answer(log, {"500000", "500000"});
    QVERIFY(Click(w, "Button1"));
    QCOMPARE(log.rawResults, 2);
    QCOMPARE(w->Lp->text(), QString("Период с 10.06.2009 по 01.09.2009"));
    // The new period has no value: the earlier one is neither shown under it
    // nor offered for the graph.
    QCOMPARE(w->Deakt->text(), QString("Дезактивация"));
    QVERIFY(!w->Button3->isEnabled());
    QVERIFY(answers.messages.isEmpty());

    // A failing model run ends the calculation with its message, the main
    // window given back.
    program.base.remove("kelmar.exe");
    answers.modal = Answer(log, {});
    QVERIFY(Click(w, "Button1"));
    QCOMPARE(answers.messages, QStringList({QString::fromStdString(
                                   FailedRunMessage("kelmar.exe", "01-09-09", "не запустилась"))}));
    QCOMPARE(w->LastValue, 0.25);
    QVERIFY(W().form5->ProgressBar1->isHidden());
    QCOMPARE(W().form5->Label1->text(), QString());
}

// Working configuration: a model that never ends is stopped at the reforming
// run's limit, or by "Прервать" of the window; the calculation fails naming
// the sample, nothing is stored, and the base folder is free again.
void DeactivationTest::hungModelStopsAtItsLimitOrOnPrervat() {
    StartedProgram program;
    SetConfiguration(Configuration::Working);
    DialogAnswers answers;
    SelectHornel(program.base);
    program.base.write("kelmar.exe", "#!/bin/sh\nexec sleep 30\n");
    QFile::setPermissions(QString::fromStdString(ToNative(JoinPath(Context().baseFolder, "kelmar.exe"))),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    TRasDisAkt* w = W().rasDisAkt;
    AddThroughLists(w, "01-09-09", "01-09-09.dan");
    AddThroughLists(w, "10-06-09", "10-06-09.dan");
    w->LastValue = 0.25;
    w->Deakt->setText("Дезактивация");
    const std::string lock = BaseFolderLockPath(Context().baseFolder);

    for (const bool cancel : {false, true}) {
        RunLog log;
        answers.modal = Answer(log, {});
        answers.messages.clear();
        bool lockedWhileRunning = false, buttonShown = false;
        int accepted = 0;
        const QMetaObject::Connection counting = QObject::connect(w, &QDialog::accepted, [&accepted] { ++accepted; });
        QTimer::singleShot(cancel ? 300 : 1000, w, [&] {
            lockedWhileRunning = FileExists(lock);
            buttonShown = !w->CancelRun->isHidden();
            // Nothing else of the window takes a click meanwhile.
            QTest::mouseClick(w->Button2, Qt::LeftButton);
            if (cancel) QTest::mouseClick(w->CancelRun, Qt::LeftButton);
        });
        QElapsedTimer clock;
        clock.start();
        QVERIFY(Click(w, "Button1"));
        const std::string problem = cancel ? "остановлена: расчет прерван пользователем"
                                           : "не завершилась за 2 с и была остановлена";
        QCOMPARE(answers.messages, QStringList({QString::fromStdString(FailedRunMessage("kelmar.exe", "01-09-09", problem))}));
        QVERIFY(cancel ? clock.elapsed() < 1800 : clock.elapsed() >= 2000);
        QVERIFY(lockedWhileRunning);
        QVERIFY(buttonShown);
        QVERIFY(!FileExists(lock));
        QVERIFY(w->CancelRun->isHidden());
        QObject::disconnect(counting);
        QCOMPARE(accepted, 0);  // "Оk" was not taken while the model ran
        QCOMPARE(log.rawResults, 0);
        QCOMPARE(w->LastValue, 0.25);
        QCOMPARE(w->Deakt->text(), QString("Дезактивация"));
        QVERIFY(W().form5->ProgressBar1->isHidden());
    }
    SetConfiguration(Configuration::Described);
}

void DeactivationTest::storingBuildsTheHistoryInDateOrder() {
    StartedProgram program;
    DialogAnswers answers;
    SelectHornel(program.base);
    TRasDisAkt* w = W().rasDisAkt;
    const QString history = "dizakt.11";
    GraphSeen seen;

    w->LastValue = 0.5;
    w->Button3->setEnabled(true);
    answers.modal = StoreUnder("01.09.2009", seen);
    QVERIFY(Click(w, "Button3"));
    QCOMPARE(program.base.read(history).toStdString(), Point(2009, 9, 1, 0.5));
    QCOMPARE(seen.title, QString("Дезактивация, град./(тонн сыр./тонн кат.)"));
    QVERIFY(seen.listHidden);
    QVERIFY(!W().graph->GrList->isHidden());

    w->LastValue = 0.25;
    answers.modal = StoreUnder("1.10.09", seen);  // appended
    QVERIFY(Click(w, "Button3"));
    w->LastValue = 0.75;
    answers.modal = StoreUnder("01.08.2009", seen);  // first
    QVERIFY(Click(w, "Button3"));
    QCOMPARE(program.base.read(history).toStdString(),
             Point(2009, 8, 1, 0.75) + Point(2009, 9, 1, 0.5) + Point(2009, 10, 1, 0.25));
    QCOMPARE(seen.labels, QStringList({"01.08.2009", "01.09.2009", "01.10.2009"}));
    QCOMPARE(seen.values, QList<qreal>({0.75, 0.5, 0.25}));

    w->LastValue = -1.5;
    answers.modal = StoreUnder("01.09.2009", seen);  // same date: replaced
    QVERIFY(Click(w, "Button3"));
    QCOMPARE(program.base.read(history).toStdString(),
             Point(2009, 8, 1, 0.75) + Point(2009, 9, 1, -1.5) + Point(2009, 10, 1, 0.25));

    // Cancelled, or a text that is no date: the history stays, the dialog
    // was a new one each time.
    int asked = 0;
    answers.modal = StoreUnder({}, seen, &asked);
    QVERIFY(Click(w, "Button3"));
    answers.modal = StoreUnder("31.02.2009", seen, &asked);
    QVERIFY(Click(w, "Button3"));
    QCOMPARE(asked, 2);
    QCOMPARE(answers.messages, QStringList({"'31.02.2009' is not a valid date"}));
    QCOMPARE(program.base.read(history).size(), 48);
    QVERIFY(w->findChildren<TToGr*>().isEmpty());
}

void DeactivationTest::historyGraphAndClearing() {
    StartedProgram program;
    DialogAnswers answers;
    SelectHornel(program.base);
    GraphSeen seen;
    answers.modal = StoreUnder({}, seen);

    W().form5->N31Click();  // no history: nothing is shown
    QVERIFY(answers.modalShown.isEmpty());

    program.base.write("dizakt.11", QByteArray::fromStdString(Point(2009, 9, 1, 0.125) + Point(2009, 10, 1, 0.5)));
    W().form5->N31Click();
    QCOMPARE(answers.modalShown.size(), 1);
    QCOMPARE(seen.title, QString("Дезактивация, град/(тонн сыр./тонн кат.)"));
    QCOMPARE(seen.labels, QStringList({"01.09.2009", "01.10.2009"}));
    QCOMPARE(seen.values, QList<qreal>({0.125, 0.5}));
    QVERIFY(seen.listHidden);
    QVERIFY(!W().graph->GrList->isHidden() && !W().graph->Label1->isHidden());

    TRasDisAkt* w = W().rasDisAkt;
    // The working configuration's graphs, stored or of the history, give the
    // unit of the result line.
    SetConfiguration(Configuration::Working);
    W().form5->N31Click();
    QCOMPARE(seen.title, QString("Дезактивация, град./(тонн сыр./кг кат.)"));
    seen.title.clear();
    w->LastValue = 0.25;
    w->Button3->setEnabled(true);
    answers.modal = StoreUnder("01.11.2009", seen);
    QVERIFY(Click(w, "Button3"));
    SetConfiguration(Configuration::Described);
    QCOMPARE(seen.title, QString("Дезактивация, град./(тонн сыр./кг кат.)"));
    QString asked;
    answers.yesNo = [&](const QString& q) {
        asked = q;
        return false;
    };
    QVERIFY(Click(w, "Button4"));
    QCOMPARE(asked, QString("Вы уверены, что хотите очистить график дезактивации на текущей установке?"));
    QVERIFY(program.base.exists("dizakt.11"));

    answers.yesNo = [](const QString&) { return true; };
    // A history that cannot be deleted is named in the message and stays.
    const fs::path folder = program.base.path().toStdString();
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    if (QFile::exists(program.base.file("dizakt.11")) && ::access(folder.c_str(), W_OK) != 0) {
        QVERIFY(Click(w, "Button4"));
        QCOMPARE(answers.messages,
                 QStringList({"Не могу удалить файл: " + QString::fromStdString(PlantDeactivationHistoryPath())}));
        QVERIFY(program.base.exists("dizakt.11"));
    }
    fs::permissions(folder, fs::perms::owner_all);
    QVERIFY(Click(w, "Button4"));
    QVERIFY(!program.base.exists("dizakt.11"));
    QVERIFY(Click(w, "Button4"));  // nothing left to clear: no message
    QVERIFY(answers.messages.size() <= 1);
}

void DeactivationTest::screenshot() {
    StartedProgram program;
    DialogAnswers answers;
    SelectHornel(program.base);
    TRasDisAkt* w = W().rasDisAkt;
    AddThroughLists(w, "01-09-09", "01-09-09.dan");
    w->SetFolder(Context().plantFolder + "\\01-09-09");
    w->Lp->setText("Период с 10.12.2008 по 01.09.2009");
    w->Deakt->setText("Дезактивация = -0.0001 град./(тонн сыр./кг кат.)");
    w->show();
    QApplication::processEvents();
    const QString dir = QString(REFORMER_BINARY_DIR) + "/screenshots";
    QDir().mkpath(dir);
    QVERIFY(w->grab().save(dir + "/deactivation_window.png"));
    w->hide();
    TToGr ask;
    ask.show();
    QApplication::processEvents();
    QVERIFY(ask.grab().save(dir + "/to_graph_dialog.png"));
    QCOMPARE(ask.DateText(), QString("01.01.2000"));
}

QTEST_MAIN(DeactivationTest)
#include "deactivation_test.moc"
