// The component list editor and the questions about unknown components,
// driven as a user drives them.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "composition/candidate_choice.h"
#include "composition/carbon_number_question.h"
#include "composition/component_list_editor.h"
#include "common/regional.h"
#include "composition/group_question.h"
#include "composition/report_import.h"
#include "composition/unknown_component_question.h"
#include "shell/plant_selection.h"
#include "shell/program_context.h"
#include "shell/main_window.h"
#include "shell/window_registry.h"
#include "window_test_support.h"

using namespace rw;

namespace {

QByteArray ListLine(QByteArray name, const char* value) {
    name = name.leftJustified(43, ' ');
    return name + value + "\r\n";
}

}  // namespace

class ComponentListEditorTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::StartedProgram> program;
    Tbasadan* editor = nullptr;

    // The state the conditions form's data-entry save leaves for the editor.
    void EnterDataOfRow(int row) {
        ProgramContext& c = Context();
        SelectPlant(c, row);
        FinishPlantSelection(c, row);
        c.entrySampleName = "01-09-09";
        c.samplingFolder = c.plantFolder + "\\01-09-09";
        editor->StartDataEntry("65.0");
    }

    void Leave(QWidget* field) {
        // Leaving a field is what stores it; the list takes the focus.
        field->setFocus();
        QApplication::processEvents();
        editor->List->setFocus();
        QApplication::processEvents();
    }

private slots:
    void init() {
        program = std::make_unique<test::StartedProgram>();
        editor = W().basadan;
    }
    void cleanup() { program.reset(); }

    void startsFromTheTemplateWithAZeroSum() {
        EnterDataOfRow(11);
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->Prob->text(), QString("Сырьё"));
        QVERIFY(editor->List->count() > 50);
        QCOMPARE(editor->Sum->text(), QString("00,000"));
        QCOMPARE(editor->List->currentRow(), 0);
        QCOMPARE(editor->weight->text(), QString("00.000"));
        QCOMPARE(editor->F7->text(), QString("65.0"));
    }

    void valuesAreNormalisedWhenTheFieldIsLeft_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<double>("sum");
        QTest::newRow("three digits keep the last two") << "100" << "00.000" << 0.0;
        QTest::newRow("one digit") << "5" << "05.000" << 5.0;
        QTest::newRow("comma") << ",5" << "00.500" << 0.5;
        QTest::newRow("seven characters cut, sum whole") << "1.2345" << "01.234" << 1.2345;
    }
    void valuesAreNormalisedWhenTheFieldIsLeft() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(double, sum);
        EnterDataOfRow(11);
        QVERIFY(QTest::qWaitForWindowActive(editor));
        editor->List->setCurrentRow(2);
        editor->ListClick();
        editor->weight->setFocus();
        editor->weight->clear();
        QTest::keyClicks(editor->weight, typed);
        QTest::keyClick(editor->weight, Qt::Key_Return);  // Enter goes to the list, storing the value
        QCOMPARE(QString::fromLatin1(QByteArray::fromStdString(editor->list().lines[2]).mid(43)), stored);
        QVERIFY(qAbs(editor->list().runningSum - sum) < 1e-9);
        QVERIFY(editor->List->hasFocus());
    }

    void typingANamePrefixSelectsTheLine() {
        EnterDataOfRow(11);
        editor->Subst->clear();
        QTest::keyClicks(editor->Subst, "n-hex");
        int row = editor->List->currentRow();
        QVERIFY(row >= 0);
        QVERIFY(editor->List->item(row)->text().startsWith("n-Hexane"));
        // A name that is nowhere appends a new line when the field is left.
        int count = editor->List->count();
        editor->Subst->setText("Nothing like it");
        editor->SubstExit();
        QCOMPARE(editor->List->count(), count + 1);
        QCOMPARE(editor->weight->text(), QString("00.000"));
    }

    void nextOnAnEmptyListSaysSoAndStays() {
        test::DialogAnswers answers;
        EnterDataOfRow(11);
        editor->list().lines.clear();
        editor->NextClick();
        QCOMPARE(answers.messages, QStringList{"Проверте правильность ввода данных."});
        QCOMPARE(Context().currentStream, 1);
        QVERIFY(editor->isVisible());
    }

    void row11SkipsTheSideCutAndFormsTheComposition() {
        test::DialogAnswers answers;
        program->base.remove("Hornel/01-09-09/01-09-09.sk");
        EnterDataOfRow(11);
        editor->BitBtn1Click(editor->Next);  // the feed sample, as the welcome pipeline opens it
        QCOMPARE(editor->List->count(), 213);
        QCOMPARE(editor->Sum->text(), QString::fromStdString(RunningSumText(editor->list().runningSum, Regional().decimalSeparator)));
        QVERIFY(qAbs(editor->list().runningSum - 100.0) < 0.01);
        editor->NextClick();
        QCOMPARE(Context().currentStream, 2);
        QCOMPARE(editor->Prob->text(), QString("Катализат"));
        QVERIFY(!editor->F1->isVisible());
        editor->BitBtn1Click(editor->BitBtn1);
        editor->NextClick();
        QVERIFY2(answers.messages.isEmpty(), qPrintable(answers.messages.join("; ")));
        QCOMPARE(program->base.read("Hornel/01-09-09/01-09-09.BOK"), program->base.read("Hornel/01-09-09/01-09-09.KAT"));
        QVERIFY(program->base.exists("Hornel/01-09-09/01-09-09.sk"));
        QVERIFY(!editor->isVisible());
        QCOMPARE(Context().currentStream, 1);
        QCOMPARE(Context().sampleName, std::string("01-09-09"));
        QVERIFY(Context().dataFolder.ends_with("01-09-09\\"));
        QVERIFY(W().form5->windowTitle().endsWith("Дата отбора: 01-09-09"));
        QCOMPARE(editor->flows[1], 65.0);
        QCOMPARE(editor->flows[2], 0.0);
    }

    void anUnknownComponentIsPutToTheUserAndLearnt() {
        test::DialogAnswers answers;
        QByteArray kat = program->base.read("Hornel/01-09-09/01-09-09.KAT");
        program->base.write("Hornel/01-09-09/01-09-09.KAT", kat + ListLine("3-Methyloctane-X", "00.500"));
        QStringList carbonTyped;
        answers.modal = [&](QDialog* d) {
            if (auto* b2 = qobject_cast<TFormb2*>(d)) {
                b2->BitBtn1->click();
            } else if (auto* b3 = qobject_cast<TFormb3*>(d)) {
                b3->RadioButton[1]->setChecked(true);  // isoparaffins
                b3->BitBtn1->click();
            } else if (auto* b4 = qobject_cast<TFormb4*>(d)) {
                // "14" is refused and the dialog stays; "9" is taken.
                b4->Edit1->setText(carbonTyped.isEmpty() ? "14" : "9");
                carbonTyped << b4->Edit1->text();
                b4->BitBtn1->click();
            } else if (auto* add = qobject_cast<TAddSub*>(d)) {
                add->List->setCurrentRow(0);
                add->Button1->click();
            }
            return d->result();
        };
        EnterDataOfRow(11);
        editor->BitBtn1Click(editor->Next);
        editor->NextClick();
        editor->BitBtn1Click(editor->BitBtn1);
        editor->NextClick();
        QVERIFY2(answers.messages.isEmpty(), qPrintable(answers.messages.join("; ")));
        QCOMPARE(carbonTyped, (QStringList{"14", "9"}));
        QVERIFY(program->base.read("Basa/ipar.9").contains("3-Methyloctane-X"));
        QVERIFY(program->base.exists("Hornel/01-09-09/01-09-09.sk"));
        QCOMPARE(W().formb2->Label2->text().trimmed(), QString("3-Methyloctane-X"));
    }

    void answeringNoPutsTheNameOnTheIgnoreList() {
        test::DialogAnswers answers;
        QByteArray kat = program->base.read("Hornel/01-09-09/01-09-09.KAT");
        program->base.write("Hornel/01-09-09/01-09-09.KAT", kat + ListLine("Peak 17", "00.500"));
        answers.modal = [&](QDialog* d) {
            if (auto* b2 = qobject_cast<TFormb2*>(d)) b2->BitBtn2->click();
            return d->result();
        };
        EnterDataOfRow(11);
        editor->BitBtn1Click(editor->Next);
        editor->NextClick();
        editor->BitBtn1Click(editor->BitBtn1);
        editor->NextClick();
        QVERIFY(program->base.read("Basa/nlo").contains("Peak 17"));
        QCOMPARE(answers.modalShown.size(), 1);
    }

    void cancelReturnsToTheMainWindow() {
        EnterDataOfRow(11);
        editor->cansClick();
        QVERIFY(!editor->isVisible());
        QVERIFY(W().form5->isVisible());
        QVERIFY(W().form5->isEnabled());
    }
};

QTEST_MAIN(ComponentListEditorTest)
#include "component_list_editor_test.moc"
