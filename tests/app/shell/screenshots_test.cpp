// The main windows of the program in the working configuration, driven
// through the menu as a user drives them on the shipped sample (plant row 11,
// sampling date 01-09-09), each grabbed as a picture. Run by `make test` it checks only that every window
// comes up and draws; given `--out FOLDER` (scripts/screenshots.sh) it writes
// the pictures of the user guide and the README there.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <QMessageBox>

#include <memory>

#include "common/configuration.h"
#include "composition/candidate_choice.h"
#include "composition/carbon_number_question.h"
#include "composition/component_list_editor.h"
#include "composition/composition_editor.h"
#include "composition/group_question.h"
#include "composition/unknown_component_question.h"
#include "conditions/conditions_form.h"
#include "results/graph_window.h"
#include "results/results_window.h"
#include "results/summary_table_window.h"
#include "runs/calculation_confirmation.h"
#include "shell/app_start.h"
#include "shell/main_window.h"
#include "shell/plant_window.h"
#include "shell/program_context.h"
#include "shell/ui_services.h"
#include "shell/welcome_window.h"
#include "shell/window_helpers.h"
#include "shell/window_registry.h"
#include "window_test_support.h"

using namespace rw;
using namespace rw::test;

namespace {

QString& OutputFolder() {
    static QString folder;
    return folder;
}

// The window as it stands on the screen, under a plain title bar with its
// caption (the virtual display has no window manager to draw one). Minimised
// windows are restored first: the program opens some windows minimised, and
// a picture of a title bar says nothing.
QImage Picture(QWidget* w) {
    if (w->windowState() & Qt::WindowMinimized) w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
    if (!w->isVisible()) w->show();
    QTest::qWait(150);
    const QImage content = w->grab().toImage();
    const int bar = 26;
    QImage out(content.width() + 2, content.height() + bar + 1, QImage::Format_ARGB32);
    out.fill(QColor(0x3c, 0x4a, 0x5c));
    QPainter p(&out);
    p.drawImage(1, bar, content);
    QFont font = w->font();
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(8, 0, out.width() - 16, bar), Qt::AlignVCenter | Qt::AlignLeft, w->windowTitle());
    return out;
}

// Checks that the window drew something and, when pictures are wanted, saves it.
bool Save(const QImage& image, const QString& name) {
    if (image.isNull() || image.width() < 100 || image.height() < 60) return false;
    if (OutputFolder().isEmpty()) return true;
    return image.save(QDir(OutputFolder()).filePath(name + ".png"));
}

// The decorative pictures are loaded when the windows are created, from the
// base folder below the program's own folder, which a test executable has
// not; they are loaded again from the sample data.
void LoadPictures(const TempBaseFolder& base) {
    ShowDecorativePicture(W().form1->Image1, base.file("Basa/Pic/welcome.jpg"));
    TForm5* main = W().form5;
    QLabel* images[] = {main->Image1, main->Image2, main->Image3, main->Image4};
    for (int i = 0; i < 4; ++i) ShowDecorativePicture(images[i], base.file(QString("Basa/Pic/decor%1.jpg").arg(i + 1)));
}

// Plant selection of row 11 through the plant window, as a user clicks it.
void ChoosePlant11() {
    W().form5->N10Click();
    TForm4* plants = W().form4;
    QRadioButton* item = plants->Item(11);
    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(12, item->height() / 2));
}

// The sample's composition file, so that data selection finds a complete date.
void PutSampleComposition(const TempBaseFolder& base) {
    QFile sk(QString(REFORMER_TEST_DATA) + "/pipeline/01-09-09.sk");
    QVERIFY(sk.open(QIODevice::ReadOnly));
    base.write("Hornel/01-09-09/01-09-09.sk", sk.readAll());
}

// The file dialogs answered as the user answers them on the sample: the
// conditions file of 01-09-09 for data selection, the stream's sample list
// for "Открыть" of the component list editor.
void AnswerWithSampleFiles(DialogAnswers& answers, const TempBaseFolder& base) {
    answers.openFile = [&base](const QString& title, const QString&) {
        if (title == "Открытие файла с данными") return base.file("Hornel/01-09-09/01-09-09.dan");
        return base.file(Context().currentStream == 1 ? "Hornel/01-09-09/01-09-09.SIR" : "Hornel/01-09-09/01-09-09.KAT");
    };
}

// The main window with one of its menus dropped down, painted into one picture.
QImage WithMenu(TForm5* main, QMenu* menu, QAction* at) {
    QImage window = Picture(main);
    const QPoint offset(1, window.height() - 1 - main->height());  // the title bar
    const QRect item = main->MainMenu1->actionGeometry(at);
    const QPoint below = main->MainMenu1->mapTo(main, item.bottomLeft()) + offset;
    menu->popup(main->mapToGlobal(below - offset));
    QTest::qWait(150);
    const QImage popup = menu->grab().toImage();
    menu->hide();
    QImage out(window.size().expandedTo(QSize(below.x() + popup.width(), below.y() + popup.height())),
               QImage::Format_ARGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, window);
    p.drawImage(below, popup);
    p.setPen(Qt::gray);
    p.drawRect(QRect(below, popup.size()).adjusted(0, 0, -1, -1));
    return out;
}

// The stand-in model programs beside the sample data, as an installation has them.
bool InstallStandIns(const TempBaseFolder& base) { return CopyStandIns(base, {"vortan.exe", "vortan-10.exe", "kelmar.exe", "selvin.exe"}); }

}  // namespace

class ScreenshotsTest : public QObject {
    Q_OBJECT

private slots:
    void welcomeWindow();
    void plantSelectionAndMainWindow();
    void conditionsForm();
    void componentListEditorAndTheQuestions();
    void compositionEditor();
    void resultsSummaryTableAndGraph();
    void cycleOutlookAndFleet();
    void russianMessageBoxes();
};

void ScreenshotsTest::welcomeWindow() {
    StartedProgram program;
    LoadPictures(program.base);
    QVERIFY(Save(Picture(W().form1), "welcome"));
}

void ScreenshotsTest::plantSelectionAndMainWindow() {
    StartedProgram program;
    LoadPictures(program.base);
    DialogAnswers answers;
    AnswerWithSampleFiles(answers, program.base);
    ChoosePlant11();
    QCOMPARE(W().form4->ItemIndex(), 11);
    QVERIFY(Save(Picture(W().form4), "plant-selection"));

    QVERIFY(Click(W().form4, "Button2"));
    PutSampleComposition(program.base);
    W().form5->N12Click();
    QVERIFY2(answers.messages.isEmpty(), qPrintable(answers.messages.join("; ")));
    TForm5* main = W().form5;
    // The picture shows the folder of an installed program, not the test's own.
    main->BaseFolderLine->setText("Базовая папка: /opt/reformer-workbench/bin/sk");
    QVERIFY(Save(WithMenu(main, main->N2Menu, main->N2), "main-window"));
}

void ScreenshotsTest::conditionsForm() {
    StartedProgram program;
    LoadPictures(program.base);
    DialogAnswers answers;
    AnswerWithSampleFiles(answers, program.base);
    ChoosePlant11();
    QVERIFY(Click(W().form4, "Button2"));
    PutSampleComposition(program.base);
    W().form5->N12Click();
    W().form5->BdanClick();
    QVERIFY(W().form8->isVisible());
    QVERIFY(Save(Picture(W().form8), "conditions-form"));
}

void ScreenshotsTest::componentListEditorAndTheQuestions() {
    StartedProgram program;
    DialogAnswers answers;
    AnswerWithSampleFiles(answers, program.base);
    // A substance the shipped database does not know, at the end of the catalyzate's report.
    const QByteArray unknown = QByteArray("3-Methyl-5-ethyloctane").leftJustified(43, ' ') + "00.500\r\n";
    program.base.write("Hornel/01-09-09/01-09-09.KAT", program.base.read("Hornel/01-09-09/01-09-09.KAT") + unknown);

    ChoosePlant11();
    QVERIFY(Click(W().form4, "Button2"));
    PutSampleComposition(program.base);
    W().form5->N12Click();
    W().form5->BdanClick();
    QVERIFY(Click(W().form8, "Button2"));  // the data-entry save opens the editor for the feed
    Tbasadan* editor = W().basadan;
    QVERIFY(editor->isVisible());
    QVERIFY(Click(editor, "BitBtn1"));  // "Открыть": the feed sample
    QVERIFY(editor->List->count() > 100);
    editor->List->setCurrentRow(7);
    editor->ListClick();
    QVERIFY(Save(Picture(editor), "component-list-editor"));
    editor->NextClick();
    QVERIFY(Click(editor, "BitBtn1"));

    QStringList shot;
    answers.modal = [&](QDialog* d) {
        if (auto* b2 = qobject_cast<TFormb2*>(d)) {
            if (Save(Picture(b2), "unknown-component")) shot << "b2";
            b2->BitBtn1->click();
        } else if (auto* b3 = qobject_cast<TFormb3*>(d)) {
            b3->RadioButton[1]->setChecked(true);  // isoparaffins
            if (Save(Picture(b3), "group-question")) shot << "b3";
            b3->BitBtn1->click();
        } else if (auto* b4 = qobject_cast<TFormb4*>(d)) {
            b4->Edit1->setText("11");
            if (Save(Picture(b4), "carbon-number-question")) shot << "b4";
            b4->BitBtn1->click();
        } else if (auto* add = qobject_cast<TAddSub*>(d)) {
            add->List->setCurrentRow(0);
            if (Save(Picture(add), "candidate-choice")) shot << "add";
            add->Button1->click();
        }
        d->hide();
        return d->result();
    };
    editor->NextClick();
    QVERIFY2(answers.messages.isEmpty(), qPrintable(answers.messages.join("; ")));
    QCOMPARE(shot, (QStringList{"b2", "b3", "b4", "add"}));
    QVERIFY(program.base.exists("Hornel/01-09-09/01-09-09.sk"));
}

void ScreenshotsTest::compositionEditor() {
    StartedProgram program;
    DialogAnswers answers;
    AnswerWithSampleFiles(answers, program.base);
    ChoosePlant11();
    QVERIFY(Click(W().form4, "Button2"));
    PutSampleComposition(program.base);
    W().form5->N12Click();
    W().form5->N11Click();
    QVERIFY(W().form9->isVisible());
    QVERIFY(Save(Picture(W().form9), "composition-editor"));
}

void ScreenshotsTest::resultsSummaryTableAndGraph() {
    StartedProgram program;
    DialogAnswers answers;
    AnswerWithSampleFiles(answers, program.base);
    QVERIFY(InstallStandIns(program.base));
    ChoosePlant11();
    QVERIFY(Click(W().form4, "Button2"));
    PutSampleComposition(program.base);
    W().form5->N12Click();

    // A reforming calculation with the stand-in model: "Да" to the
    // confirmation, "Далее" on the review, then the results window.
    QStringList shot;
    answers.modal = [&](QDialog* d) {
        if (qobject_cast<TForm6*>(d)) {
            Click(d, "BitBtn1");
        } else if (qobject_cast<TForm8*>(d)) {
            Click(d, "Button3");
        } else if (qobject_cast<TNewReportForm*>(d)) {
            if (Save(Picture(d), "results-window")) shot << "results-window";
            d->hide();
            return int(QDialog::Accepted);
        }
        return d->result();
    };
    W().form5->N8Click();

    // The plant's results history with a few parameters chosen, and its graph.
    answers.modal = [&](QDialog* d) {
        if (auto* table = qobject_cast<Tsvod*>(d)) {
            for (int k : {1, 13, 15, 14, 16, 6}) {
                if (!table->ParameterBox(k)->isChecked()) table->ParameterBox(k)->click();
            }
            if (Save(Picture(d), "summary-table")) shot << "summary-table";
        } else if (qobject_cast<TGraph*>(d)) {
            if (Save(Picture(d), "graph")) shot << "graph";
        }
        d->hide();
        return int(QDialog::Accepted);
    };
    W().form5->N18Click();
    W().form5->N20Click();
    QVERIFY2(answers.messages.isEmpty(), qPrintable(answers.messages.join("; ")));
    QCOMPARE(shot, (QStringList{"results-window", "summary-table", "graph"}));
}

void ScreenshotsTest::cycleOutlookAndFleet() {
    StartedProgram program;
    DialogAnswers answers;
    ChoosePlant11();
    QVERIFY(Click(W().form4, "Button2"));
    QStringList shot;
    answers.modal = [&](QDialog* d) {
        if (d->objectName() == "CycleOutlook" && Save(Picture(d), "cycle-outlook")) shot << "cycle-outlook";
        if (d->objectName() == "Fleet" && Save(Picture(d), "fleet")) shot << "fleet";
        d->hide();
        return int(QDialog::Accepted);
    };
    FindAction(W().form5, "Prognoz")->trigger();
    FindAction(W().form5, "AllPlants")->trigger();
    QVERIFY2(answers.messages.isEmpty(), qPrintable(answers.messages.join("; ")));
    QCOMPARE(shot, (QStringList{"cycle-outlook", "fleet"}));
}

// The working configuration's refusal of an empty conditions form and its
// question about the gas composition, with Qt's Russian buttons.
void ScreenshotsTest::russianMessageBoxes() {
    {
        StartedProgram program;
        QString refusal;
        {
            DialogAnswers answers;
            W().form8->show();
            QVERIFY(Click(W().form8, "Button2"));
            QCOMPARE(answers.messages.size(), 1);
            refusal = answers.messages[0];
        }
        std::unique_ptr<QMessageBox> error(ui::NewErrorBox(W().form8, refusal));
        QVERIFY(Save(Picture(error.get()), "refusal-message"));
        std::unique_ptr<QMessageBox> question(ui::NewQuestionBox(
            W().form8, "Технологические условия", "Сумма состава ВСГ 75.390 % далека от 100 %. Сохранить всё же?"));
        QCOMPARE(question->button(QMessageBox::Yes)->text(), QString("&Да"));
        QVERIFY(Save(Picture(question.get()), "question-message"));
        W().form8->hide();
    }
}

int main(int argc, char** argv) {
    SetConfiguration(Configuration::Working);
    QApplication app(argc, argv);
    LoadQtTranslation(app);
    // "--out FOLDER" is ours; everything else goes to QtTest.
    QStringList args = app.arguments();
    const qsizetype at = args.indexOf("--out");
    if (at >= 0 && at + 1 < args.size()) {
        OutputFolder() = args[at + 1];
        QDir().mkpath(OutputFolder());
        args.remove(at, 2);
    }
    ScreenshotsTest test;
    return QTest::qExec(&test, args);
}

#include "screenshots_test.moc"
