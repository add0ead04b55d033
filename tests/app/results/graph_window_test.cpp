// The graph window driven offscreen: what it plots from an index, the
// parameter kept across openings, the coke of the summary table's last
// opening, zooming, printing, copying, the deactivation history's use of it,
// and the folder choice that builds svod.tmp.
#include <QAction>
#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QPrinter>
#include <QRegularExpression>
#include <QTest>
#include <QTreeView>

#include "common/configuration.h"
#include "common/files.h"
#include "common/number_format.h"
#include "common/regional.h"
#include "results/graph_window.h"
#include "results/results_folder_window.h"
#include "results/results_index.h"
#include "results/summary_table_window.h"
#include "shell/main_window.h"
#include "shell/program_context.h"
#include "shell/window_registry.h"
#include "window_test_support.h"

using namespace rw;
using namespace rw::test;

namespace {

std::string Program(const QString& nativePath) {
    std::string s = QDir::toNativeSeparators(nativePath).toStdString();
    for (char& ch : s)
        if (ch == '/') ch = '\\';
    return s;
}

QList<qreal> Values(TGraph* g) {
    QList<qreal> out;
    for (const QPointF& p : g->Series2->points()) out << p.y();
    return out;
}

QStringList DateLabels(TGraph* g) {
    QStringList out = g->BottomAxis->categoriesLabels();
    return out;
}

int ItemOf(const char* caption) { return W().graph->GrList->findText(QString::fromUtf8(caption)); }

}  // namespace

class GraphWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        Regional().decimalSeparator = '.';
        LastCokeChoice() = CokeChoice::Coke;
    }
    void plotsIsomerisationOfTheShippedHistory();
    void selectedItemStaysAcrossOpenings();
    void cokeFollowsTheLastTableOpening();
    void emptySingleAndUnreadableIndexes();
    void zoomAndRestore();
    void printsLandscapeAndRestoresTheOrientation();
    void copiesOnWhite();
    void valueTextsStayOffTheLine_data();
    void valueTextsStayOffTheLine();
    void showsAGivenSeriesWithTheListHidden();
    void folderChoiceBuildsTheFolderIndex();
    void screenshot();
};

void GraphWindowTest::plotsIsomerisationOfTheShippedHistory() {
    StartedProgram program;
    Context().plantIndex = 11;
    TGraph* g = W().graph;
    QCOMPARE(g->GrList->count(), 18);
    QCOMPARE(g->GrList->currentText(), QString("Активность"));
    g->GrList->setCurrentIndex(ItemOf("Степень изомеризации"));

    DialogAnswers answers;
    bool plottedWhenShown = false;
    answers.modal = [&](QDialog* d) {
        plottedWhenShown = d == g && g->Series2->count() == 12;
        return int(QDialog::Accepted);
    };
    W().form5->N20Click();
    QVERIFY(plottedWhenShown);
    QVERIFY(answers.messages.isEmpty());

    const std::vector<ResultsRecord> records = ReadResultsIndex(JoinPath(program.base.programPath(), "svod.12"));
    QCOMPARE(g->chart->title(), QString("Степень изомеризации"));
    const QList<qreal> values = Values(g);
    QCOMPARE(values.size(), 12);
    QStringList dates;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const double expected = (records[i].normalIsoFeed - records[i].normalIsoProduct) * 100;
        QCOMPARE(values[qsizetype(i)], expected);
        QCOMPARE(g->Plotted().valueTexts[i], FormatUpTo3Decimals(expected));
        QCOMPARE(g->Series2->at(int(i)).x(), qreal(i));  // equal spacing whatever the dates
        dates << QString::fromStdString(records[i].sampleDateText.Text());
    }
    QCOMPARE(DateLabels(g), dates);
    QCOMPARE(g->BottomAxis->titleText(), QString("Дата отбора:"));
    QCOMPARE(g->Series2->pen().color(), QColor(Qt::black));
    QCOMPARE(g->Series2->pen().width(), 2);
    QVERIFY(!g->Series2->pointsVisible());
    QVERIFY(!g->chart->legend()->isVisible());
    for (const QString& tick : g->LeftAxis->categoriesLabels())
        QVERIFY2(!tick.contains(QRegularExpression("\\.\\d{4}|\\.\\d*0$")), qPrintable(tick));
}

void GraphWindowTest::selectedItemStaysAcrossOpenings() {
    StartedProgram program;
    TGraph* g = W().graph;
    DialogAnswers answers;
    answers.modal = [&](QDialog*) {
        g->GrList->setCurrentIndex(ItemOf("Выход риформата"));
        Click(g, "Finita");
        return g->result();
    };
    const std::string index = JoinPath(program.base.programPath(), "svod.12");
    g->showFile(index);
    answers.modal = nullptr;
    g->showFile(index);
    QCOMPARE(g->chart->title(), QString("Выход риформата"));
    QCOMPARE(Values(g).first(), ReadResultsIndex(index).front().reformateYield);
}

void GraphWindowTest::cokeFollowsTheLastTableOpening() {
    StartedProgram program;
    TGraph* g = W().graph;
    g->GrList->setCurrentIndex(ItemOf("Кокс, %вес."));
    DialogAnswers answers;
    const std::string history = JoinPath(program.base.programPath(), "svod.12");
    const std::vector<ResultsRecord> records = ReadResultsIndex(history);
    QVERIFY(records.back().accumulatedCoke != records.back().coke);

    g->showFile(history);  // no table opened yet in this run
    QCOMPARE(Values(g).last(), records.back().coke);

    W().svod->ShowFile(history);
    g->showFile(history);
    QCOMPARE(Values(g).last(), records.back().accumulatedCoke);

    program.base.write("svod.tmp", program.base.read("svod.12"));
    W().svod->ShowFile(JoinPath(program.base.programPath(), "svod.tmp"));
    g->showFile(history);
    QCOMPARE(Values(g).last(), records.back().coke);
}

void GraphWindowTest::emptySingleAndUnreadableIndexes() {
    StartedProgram program;
    TGraph* g = W().graph;
    g->GrList->setCurrentIndex(ItemOf("Активность"));
    DialogAnswers answers;
    program.base.write("svod.3", {});
    g->showFile(JoinPath(program.base.programPath(), "svod.3"));
    QCOMPARE(g->Series2->count(), 0);
    QCOMPARE(g->chart->title(), QString("Активность"));
    QVERIFY(answers.messages.isEmpty());

    const std::vector<ResultsRecord> records = ReadResultsIndex(JoinPath(program.base.programPath(), "svod.12"));
    WriteResultsIndex(JoinPath(program.base.programPath(), "svod.4"), {records[3]});
    g->showFile(JoinPath(program.base.programPath(), "svod.4"));
    QCOMPARE(g->Series2->count(), 1);
    QCOMPARE(DateLabels(g), QStringList{"14.01.2009"});

    int shown = 0;
    answers.modal = [&](QDialog*) {
        ++shown;
        return int(QDialog::Accepted);
    };
    g->showFile(JoinPath(program.base.programPath(), "svod.5"));
    QCOMPARE(answers.messages, QStringList{"File not found"});
    QCOMPARE(shown, 1);
    QCOMPARE(g->Series2->count(), 0);
}

void GraphWindowTest::zoomAndRestore() {
    StartedProgram program;
    TGraph* g = W().graph;
    DialogAnswers answers;
    g->resize(900, 600);
    g->show();
    g->showFile(JoinPath(program.base.programPath(), "svod.12"));
    const qreal width = g->BottomAxis->max() - g->BottomAxis->min();
    QVERIFY(Click(g, "Button2"));
    QVERIFY(qAbs((g->BottomAxis->max() - g->BottomAxis->min()) - width / 1.2) < 1e-6);
    // Only the dates in view are named; the others would pile up at the ends.
    const QStringList inView = DateLabels(g);
    QVERIFY(inView.size() < 12 && !inView.isEmpty());
    for (const QString& label : inView) {
        QVERIFY(g->BottomAxis->endValue(label) >= g->BottomAxis->min());
        QVERIFY(g->BottomAxis->endValue(label) <= g->BottomAxis->max());
    }
    QVERIFY(Click(g, "Button4"));
    QVERIFY(qAbs((g->BottomAxis->max() - g->BottomAxis->min()) - width) < 1e-6);
    QVERIFY(Click(g, "Button3"));
    QVERIFY(qAbs((g->BottomAxis->max() - g->BottomAxis->min()) - width / 0.8) < 1e-6);
    // The value axis is laid out anew for what is visible.
    QVERIFY(!g->LeftAxis->categoriesLabels().isEmpty());
    QVERIFY(Click(g, "Button4"));
    g->hide();
}

// A point's value is written where neither of its two segments passes; the
// neighbours are given in screen coordinates (y grows downwards).
void GraphWindowTest::valueTextsStayOffTheLine_data() {
    QTest::addColumn<bool>("hasPrevious");
    QTest::addColumn<QPointF>("previous");
    QTest::addColumn<bool>("hasNext");
    QTest::addColumn<QPointF>("next");
    QTest::newRow("peak") << true << QPointF(-40, 60) << true << QPointF(40, 60);
    QTest::newRow("trough") << true << QPointF(-40, -60) << true << QPointF(40, -60);
    QTest::newRow("rising") << true << QPointF(-40, 60) << true << QPointF(40, -60);
    QTest::newRow("falling") << true << QPointF(-40, -60) << true << QPointF(40, 60);
    QTest::newRow("steeply rising") << true << QPointF(-5, 200) << true << QPointF(5, -200);
    QTest::newRow("level") << true << QPointF(-40, 0) << true << QPointF(40, 0);
    QTest::newRow("first, rising") << false << QPointF() << true << QPointF(40, -60);
    QTest::newRow("first, falling") << false << QPointF() << true << QPointF(40, 60);
    QTest::newRow("last, after a fall") << true << QPointF(-40, -60) << false << QPointF();
    QTest::newRow("last, after a rise") << true << QPointF(-40, 60) << false << QPointF();
    QTest::newRow("alone") << false << QPointF() << false << QPointF();
}

void GraphWindowTest::valueTextsStayOffTheLine() {
    QFETCH(bool, hasPrevious);
    QFETCH(QPointF, previous);
    QFETCH(bool, hasNext);
    QFETCH(QPointF, next);
    const QPointF point(300, 200);
    std::optional<QPointF> before, after;
    if (hasPrevious) before = point + previous;
    if (hasNext) after = point + next;
    const QSizeF text(48, 14);
    const QRectF box = PointLabelBox(before, point, after, text);
    QCOMPARE(box.size(), text);
    // Near its point: within a text's width and height.
    QVERIFY(std::abs(box.center().x() - point.x()) <= text.width());
    QVERIFY(std::abs(box.center().y() - point.y()) <= text.height() + 4);
    for (const std::optional<QPointF>& end : {before, after}) {
        if (!end) continue;
        for (int k = 0; k <= 100; ++k) {
            const QPointF onLine = point + (*end - point) * (k / 100.0);
            QVERIFY2(!box.contains(onLine), qPrintable(QString("%1,%2").arg(onLine.x()).arg(onLine.y())));
        }
    }
}

// The /Title of a PDF's information: a text string, UTF-16 with its byte
// order mark, with '(', ')' and '\\' escaped.
static QString PdfTitle(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    qsizetype at = bytes.indexOf("/Title (");
    if (at < 0) return {};
    QByteArray raw;
    for (at += 8; at < bytes.size() && bytes[at] != ')'; ++at) {
        if (bytes[at] == '\\') ++at;
        raw += bytes[at];
    }
    if (!raw.startsWith("\xFE\xFF")) return QString::fromLatin1(raw);
    QString text;
    for (qsizetype k = 2; k + 1 < raw.size(); k += 2) {
        text += QChar(static_cast<char16_t>((static_cast<uchar>(raw[k]) << 8) | static_cast<uchar>(raw[k + 1])));
    }
    return text;
}

void GraphWindowTest::printsLandscapeAndRestoresTheOrientation() {
    StartedProgram program;
    TGraph* g = W().graph;
    DialogAnswers answers;
    g->showFile(JoinPath(program.base.programPath(), "svod.12"));

    QPrinter& printer = g->Printer();
    const QString pdf = program.base.file("chart.pdf");
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    QString dialogName;
    answers.modal = [&](QDialog* d) {
        dialogName = d->objectName();
        return int(QDialog::Accepted);
    };
    QVERIFY(Click(g, "Button1"));
    QCOMPARE(dialogName, QString("PrintDialog1"));
    QVERIFY(answers.messages.isEmpty());
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Portrait);

    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    const QRegularExpressionMatch box =
        QRegularExpression("/MediaBox \\[\\s*([\\d.]+)\\s+([\\d.]+)\\s+([\\d.]+)\\s+([\\d.]+)\\s*\\]")
            .match(QString::fromLatin1(bytes));
    QVERIFY(box.hasMatch());
    const double w = box.captured(3).toDouble() - box.captured(1).toDouble();
    const double h = box.captured(4).toDouble() - box.captured(2).toDouble();
    QVERIFY2(w > h, qPrintable(box.captured(0)));

    // The working configuration's printout names the plant and the day.
    Context().plantCaption = "Установка Л-35-11/1000 ";
    SetConfiguration(Configuration::Working);
    QVERIFY(Click(g, "Button1"));
    SetConfiguration(Configuration::Described);
    const QString title = PdfTitle(pdf);
    QVERIFY2(title.startsWith("Установка Л-35-11/1000 — "), qPrintable(title));
    QVERIFY2(title.endsWith(QDate::currentDate().toString("dd.MM.yyyy")), qPrintable(title));

    // Cancelled: nothing printed.
    QFile::remove(pdf);
    answers.modal = [](QDialog*) { return int(QDialog::Rejected); };
    QVERIFY(Click(g, "Button1"));
    QVERIFY(!QFile::exists(pdf));
}

void GraphWindowTest::copiesOnWhite() {
    StartedProgram program;
    TGraph* g = W().graph;
    DialogAnswers answers;
    g->showFile(JoinPath(program.base.programPath(), "svod.12"));
    QApplication::clipboard()->clear();
    QVERIFY(Click(g, "Button5"));
    const QImage image = QApplication::clipboard()->image();
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), g->Chart1->size());
    QCOMPARE(QColor(image.pixel(1, 1)), QColor(Qt::white));
    // The black line is on it somewhere.
    bool dark = false;
    for (int y = 0; y < image.height() && !dark; ++y)
        for (int x = 0; x < image.width() && !dark; ++x) dark = qGray(image.pixel(x, y)) < 60;
    QVERIFY(dark);
}

void GraphWindowTest::showsAGivenSeriesWithTheListHidden() {
    StartedProgram program;
    TGraph* g = W().graph;
    g->GrList->setCurrentIndex(ItemOf("Водород, %"));
    DialogAnswers answers;
    bool listHidden = false;
    answers.modal = [&](QDialog*) {
        listHidden = !g->GrList->isVisibleTo(g) && !g->Label1->isVisibleTo(g);
        return int(QDialog::Accepted);
    };
    g->ShowSeries("Дезактивация, град/(тонн сыр./тонн кат.)", {"01.02.09", "01.03.09"}, {0.0123, 0.5});
    QVERIFY(listHidden);
    QCOMPARE(g->chart->title(), QString("Дезактивация, град/(тонн сыр./тонн кат.)"));
    QCOMPARE(DateLabels(g), (QStringList{"01.02.09", "01.03.09"}));
    QCOMPARE(g->Plotted().valueTexts, (std::vector<std::string>{"0.012", "0.5"}));
    QVERIFY(g->GrList->isVisibleTo(g));
    QVERIFY(g->Label1->isVisibleTo(g));
    QCOMPARE(g->GrList->currentText(), QString("Водород, %"));
}

void GraphWindowTest::folderChoiceBuildsTheFolderIndex() {
    StartedProgram program;
    Context().plantFolder = JoinPath(program.base.programPath(), "Hornel");
    TForm5* main = W().form5;
    QVERIFY(!main->N27->isEnabled());
    QVERIFY(!main->N28->isEnabled());
    TTreeF* tree = W().treeF;
    DialogAnswers answers;

    // A folder without results files: the warning, cancel, an empty svod.tmp.
    program.base.write("svod.tmp", "old");
    bool folderInView = false;
    answers.modal = [&](QDialog*) {
        tree->SetFolder(program.base.file("Hornel/01-09-09"));
        // The folder deep below the root is in view once its parents are listed.
        tree->resize(420, 300);
        tree->show();
        QTreeView* view = tree->DirectoryListBox1;
        folderInView = QTest::qWaitFor(
            [&] { return view->viewport()->rect().contains(view->visualRect(view->currentIndex())); }, 5000);
        tree->hide();
        Click(tree, "Button1");
        return tree->result();
    };
    main->N26Click();
    QVERIFY(folderInView);
    QCOMPARE(answers.messages, QStringList{"В данной директории файлов с результатами нет."});
    QCOMPARE(program.base.read("svod.tmp"), QByteArray());
    QVERIFY(!main->N27->isEnabled());

    // The results files of one date folder, one of them named in capitals.
    answers.messages.clear();
    QDir(program.base.path()).mkpath("picked");
    QFile::copy(program.base.file("Hornel/15-10-08/15-10-08.rez"), program.base.file("picked/a.rez"));
    QFile::copy(program.base.file("Hornel/16-09-09/16-09-09.rez"), program.base.file("picked/B.REZ"));
    QString preselected;
    answers.modal = [&](QDialog*) {
        preselected = tree->ChosenFolder();
        tree->SetFolder(program.base.file("picked"));
        Click(tree, "Button1");
        return tree->result();
    };
    main->N26Click();
    QCOMPARE(QDir::cleanPath(preselected), QDir::cleanPath(program.base.file("Hornel")));
    QVERIFY(answers.messages.isEmpty());
    const std::vector<ResultsRecord> built = ReadResultsIndex(JoinPath(program.base.programPath(), "svod.tmp"));
    QCOMPARE(built.size(), std::size_t(2));
    QCOMPARE(built[0].sampleDateText.Text(), std::string("15.10.2008"));
    QVERIFY(main->N27->isEnabled());
    QVERIFY(main->N28->isEnabled());

    // "Графики" of the results menu plots it.
    answers.modal = [](QDialog*) { return int(QDialog::Accepted); };
    main->N28Click();
    QCOMPARE(W().graph->Series2->count(), 2);

    // A broken file stops the build before svod.tmp is touched: the window
    // stays open and the tables and graphs still show the last whole folder.
    QFile::copy(program.base.file("Hornel/12-11-08/12-11-08.rez"), program.base.file("picked/0.rez"));
    QFile broken(program.base.file("picked/b2.rez"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("\r\nno date here\r\n");
    broken.close();
    int result = -1;
    answers.modal = [&](QDialog*) {
        tree->SetFolder(program.base.file("picked"));
        tree->setResult(-1);
        Click(tree, "Button1");
        result = tree->result();
        return int(QDialog::Rejected);
    };
    QVERIFY(!tree->Choose());
    QCOMPARE(result, -1);
    QCOMPARE(answers.messages.size(), 1);
    QVERIFY2(answers.messages[0].contains("b2.rez"), qPrintable(answers.messages[0]));
    QCOMPARE(ReadResultsIndex(JoinPath(program.base.programPath(), "svod.tmp")).size(), std::size_t(2));
}

// Not a check: with REFORMER_SCREENSHOTS=<folder> the graph of the shipped
// history is saved as graphs.png there (the picture of the README).
void GraphWindowTest::screenshot() {
    const QString folder = qEnvironmentVariable("REFORMER_SCREENSHOTS");
    if (folder.isEmpty()) QSKIP("REFORMER_SCREENSHOTS not set");
    StartedProgram program;
    TGraph* g = W().graph;
    g->GrList->setCurrentIndex(ItemOf("Активность"));
    DialogAnswers answers;
    answers.modal = [&](QDialog* d) {
        d->show();
        QTest::qWait(300);
        d->grab().save(QDir(folder).filePath("graphs.png"));
        d->hide();
        return int(QDialog::Accepted);
    };
    g->showFile(JoinPath(program.base.programPath(), "svod.12"));
}

QTEST_MAIN(GraphWindowTest)
#include "graph_window_test.moc"
