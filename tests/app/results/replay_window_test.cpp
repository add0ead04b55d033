// The replay window offscreen: the dates listed with their verdicts as they
// end, "Прервать" between dates, a date's stored and new results side by
// side, the list saved; the base folder unchanged after any replay.
#include <QAbstractItemModel>
#include <QApplication>
#include <QDirIterator>
#include <QLabel>
#include <QMap>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "../../core/runs/run_fixtures.h"
#include "common/configuration.h"
#include "results/comparison_window.h"
#include "results/latest_calculation.h"
#include "results/replay_window.h"
#include "runs/reforming_workflow.h"
#include "shell/plant_selection.h"
#include "window_test_support.h"

using namespace rw;
using namespace rw::test;

namespace {

QMap<QString, QByteArray> Snapshot(const QString& root) {
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        files[path] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<folder>");
    }
    return files;
}

class Unchanged : public ReformingQuestions {
public:
    bool Confirm(const std::string&, const std::string&, const std::string&) override { return true; }
    std::optional<ConditionsEditTexts> Review(const RunConditions& c, const std::string&) override {
        return UnchangedReviewTexts(c);
    }
    void RunStarted(TRavionObj&) override {}
    void RunEnded(bool) override {}
    void Settled(const ReformingOutcome&) override {}
};

}  // namespace

class ReplayWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        SetConfiguration(Configuration::Working);
        ClearLatestCalculation();
    }
    void cleanup() { ClearLatestCalculation(); }
    void replaysStopsComparesAndSaves();
};

// Two of the sample plant's dates calculated by the stand-in model; the
// others have no composition file.
void ReplayWindowTest::replaysStopsComparesAndSaves() {
    TempBaseFolder base;
    QVERIFY(base.ok());
    if (!CopyStandIns(base, {"kelmar.exe"})) QSKIP("the stand-in model is not built");
    for (const char* date : {"15-10-08", "12-11-08"}) {
        ConditionsRecord conditions = RealisticConditions();
        conditions.samplingDateText = std::string(date, 2) + "." + std::string(date + 3, 2) + "." + (date + 6);
        const std::string folder = base.programPath() + "\\Hornel\\" + date;
        WriteRealisticInputs(folder, date, conditions);
        ProgramContext c;
        c.baseFolder = c.modelBaseFolder = base.programPath();
        SelectPlant(c, 11);
        FinishPlantSelection(c, 11);
        c.dataFolder = folder + "\\";
        c.sampleName = date;
        TRavionObj run(c);
        Unchanged answers;
        QCOMPARE(int(CalculateReforming({&c, &run, FitMethod::Bisection}, answers).end), int(ReformingEnd::Completed));
    }
    const auto before = Snapshot(base.path());

    DialogAnswers dialogs;
    ReplayWindow window(base.programPath(), 11, "Хорнельский НПЗ");
    window.show();
    QCOMPARE(window.findChild<QLabel*>("Status")->text(), QString("Дат с результатами расчета: 12"));

    // "Прервать" as the first date is listed: the replay ends before the next.
    auto stopOnce = connect(window.DateList->model(), &QAbstractItemModel::rowsInserted, &window,
                            [&window] { window.StopButton->click(); });
    window.StartButton->click();
    disconnect(stopOnce);
    QCOMPARE(window.DateList->rowCount(), 1);
    QCOMPARE(window.DateList->item(0, 0)->text(), QString("15-10-08"));
    QCOMPARE(window.DateList->item(0, 1)->text(), QString("совпадает"));
    QVERIFY(window.Outcome().cancelled);
    QVERIFY(window.StartButton->isEnabled());
    QCOMPARE(Snapshot(base.path()), before);

    window.StartButton->click();
    QCOMPARE(window.DateList->rowCount(), 12);
    QCOMPARE(window.DateList->item(1, 1)->text(), QString("совпадает"));
    QVERIFY(window.DateList->item(2, 1)->text().startsWith("не пересчитан: Расчет не выполнен, нет файлов: "));
    QCOMPARE(window.Progress->value(), 12);
    QCOMPARE(Snapshot(base.path()), before);

    // The second date side by side: the new results left, the stored right.
    QStringList left, right;
    dialogs.modal = [&](QDialog* d) {
        auto* comparison = qobject_cast<TForm12*>(d);
        if (!comparison) return int(QDialog::Rejected);
        for (QLabel* l : comparison->Latest) left << l->text();
        for (QLabel* l : comparison->Compared) right << l->text();
        return int(QDialog::Accepted);
    };
    window.DateList->setCurrentCell(1, 0);
    QVERIFY(window.CompareButton->isEnabled());
    window.CompareButton->click();
    QCOMPARE(left.size(), 12);
    QVERIFY(!left[0].isEmpty());
    QCOMPARE(left, right);
    // A date that was not run has nothing to compare.
    window.DateList->setCurrentCell(2, 0);
    QVERIFY(!window.CompareButton->isEnabled());

    QTemporaryDir elsewhere;
    const QString saved = elsewhere.filePath("replay-list.txt");
    window.SaveTo(saved);
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 13);
    QCOMPARE(lines[0], QString("15-10-08: совпадает"));
    QCOMPARE(lines[12], QString("Дат: 12; совпадают: 2; различаются в пределах последней цифры: 0; различаются: 0; "
                                "не пересчитаны: 10."));
}

QTEST_MAIN(ReplayWindowTest)
#include "replay_window_test.moc"
