// The feed and catalyzate composition editor: running sums, the typing
// check, saving and opening composition files.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "common/regional.h"
#include "composition/composition_editor.h"
#include "composition/composition_file.h"
#include "shell/program_context.h"
#include "shell/window_registry.h"
#include "window_test_support.h"

using namespace rw;
using namespace rw::test;

namespace {

// Feed: lines 1..68 give 100, line 69 (a part of line 68) 40.
// Catalyzate: lines 70..137 give 97, line 138 50.
CompositionTexts SampleTexts() {
    CompositionTexts t;
    for (int k = 1; k <= 68; ++k) t.values[static_cast<size_t>(k - 1)] = " 1.250";
    t.values[0] = "16.250";  // 67 x 1.25 + 16.25 = 100
    t.values[68] = "40.000";
    for (int k = 70; k <= 137; ++k) t.values[static_cast<size_t>(k - 1)] = " 1.000";
    t.values[69] = "30.000";  // 67 + 30 = 97
    t.values[137] = "50.000";
    t.tail = {"  86", "  96", " 113", " 152", " 175", " 0.730"};
    t.tailCount = 6;
    return t;
}

void ShowActive(QWidget* window) {
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

bool IsRed(const QLabel* label) { return label->palette().color(QPalette::WindowText) == QColor(Qt::red); }

}  // namespace

class CompositionEditorTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { Regional().decimalSeparator = '.'; }

    void startsWithZeroFields();
    void sumsLeaveLine69OutButFollowItsEdits();
    void typingCheckKeepsOnlyTheStrictReading();
    void leavingAfterAProgramFillAsksToSave();
    void saveCutsTheNameAndWritesTheEditorStyle();
    void failedSaveLeavesTheFileAsItWas();
    void openReadsAFormationFile();
};

void CompositionEditorTest::startsWithZeroFields() {
    StartedProgram program;
    TForm9* editor = W().form9;
    QCOMPARE(editor->Edit(1)->text(), QString("00.000"));
    QCOMPARE(editor->Edit(138)->text(), QString("00.000"));
    QCOMPARE(editor->Edit(139)->text(), QString("0"));
    QCOMPARE(editor->Edit(145)->text(), QString("0"));
    QVERIFY(editor->Edit(141) == nullptr);
    QCOMPARE(editor->findChild<QLabel*>("Label17")->text(), QString("17.   2,2,3-ТМП"));
    QCOMPARE(editor->findChild<QLabel*>("Label69")->text(), QString("69.   в т. ч. Ар"));
    QCOMPARE(editor->windowTitle(), QString(79, ' ') + "Состав сырья и катализата");
    QVERIFY(!editor->Changed());
}

void CompositionEditorTest::sumsLeaveLine69OutButFollowItsEdits() {
    StartedProgram program;
    TForm9* editor = W().form9;
    Regional().decimalSeparator = ',';
    editor->SetTexts(SampleTexts());
    ShowActive(editor);
    editor->Button1->setFocus();
    QCOMPARE(editor->SumSir->text(), QString("100,000"));
    QCOMPARE(editor->SumKat->text(), QString("97,000"));
    QVERIFY(!IsRed(editor->SumSir));
    QVERIFY(IsRed(editor->SumKat));

    // Entering takes the field's number out of the sum, leaving puts the new one in.
    editor->Edit(70)->setFocus(Qt::MouseFocusReason);
    QCOMPARE(editor->SumKat->text(), QString("67,000"));
    QTest::keyClick(editor->Edit(70), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor->Edit(70), "32.5");
    editor->Button1->setFocus(Qt::TabFocusReason);
    QCOMPARE(editor->SumKat->text(), QString("99,500"));
    QVERIFY(!IsRed(editor->SumKat));

    // Line 69 is not in the sum of a showing, but its edits move the sum.
    editor->Edit(69)->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(editor->Edit(69), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor->Edit(69), "41.000");
    editor->Button1->setFocus(Qt::TabFocusReason);
    QCOMPARE(editor->SumSir->text(), QString("101,000"));
    // An emptied field cannot be read: leaving it reports the error.
    DialogAnswers answers;
    editor->Edit(2)->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(editor->Edit(2), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor->Edit(2), Qt::Key_Delete);
    editor->Button1->setFocus(Qt::TabFocusReason);
    QCOMPARE(answers.messages, QStringList{"'' is not a valid floating point value"});

    // A fresh showing leaves line 69 out again.
    editor->Edit(2)->setText(" 1.250");
    editor->hide();
    editor->show();
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(editor->SumSir->text(), QString("100,000"));
}

void CompositionEditorTest::typingCheckKeepsOnlyTheStrictReading() {
    StartedProgram program;
    TForm9* editor = W().form9;
    ShowActive(editor);
    QLineEdit* e = editor->Edit(5);
    e->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(e, "1x2,5");
    QCOMPARE(e->text(), QString("125"));
    QTest::keyClicks(e, ".75");
    QCOMPARE(e->text(), QString("125.75"));  // six typed characters at most
    QTest::keyClicks(e, "1");
    QCOMPARE(e->text(), QString("125.75"));
    QVERIFY(editor->Changed());
}

void CompositionEditorTest::leavingAfterAProgramFillAsksToSave() {
    StartedProgram program;
    DialogAnswers answers;
    TForm9* editor = W().form9;
    editor->SetTexts(SampleTexts());
    editor->show();
    QStringList asked;
    answers.yesNo = [&](const QString& text) {
        asked << text;
        return false;
    };
    QVERIFY(Click(editor, "Button1"));
    QCOMPARE(asked, QStringList{"Сохранить изменения"});
    QVERIFY(editor->isHidden());
}

void CompositionEditorTest::saveCutsTheNameAndWritesTheEditorStyle() {
    StartedProgram program;
    DialogAnswers answers;
    TForm9* editor = W().form9;
    editor->SetTexts(SampleTexts());
    editor->TailEdit(5)->setText("-");  // a lone minus survives the typing check
    answers.saveFile = [&](const QString&, const QString&) { return program.base.file("Hornel/a.b.c"); };
    editor->show();
    QVERIFY(Click(editor, "Button2"));
    QCOMPARE(answers.messages, QStringList());
    QVERIFY(!editor->Changed());

    const CompositionTexts back = ReadCompositionFile(program.base.programPath() + "\\Hornel\\a.sk");
    QCOMPARE(QString::fromStdString(back.values[0]), QString("16.250"));
    QCOMPARE(QString::fromStdString(back.values[137]), QString("50.000"));
    QCOMPARE(QString::fromStdString(back.tail[0]), QString("86.000"));
    QCOMPARE(QString::fromStdString(back.tail[5]), QString(" 0.000"));

    // A long base name is cut to 13 characters; a cancelled save clears the flag too.
    answers.saveFile = [&](const QString&, const QString&) { return program.base.file("Hornel/Composition-2009-09-01.sk"); };
    QVERIFY(Click(editor, "Button2"));
    QVERIFY(program.base.exists("Hornel/Composition-2.sk"));
    editor->Edit(3)->setText("2");
    QVERIFY(editor->Changed());
    answers.saveFile = [](const QString&, const QString&) { return QString(); };
    QVERIFY(Click(editor, "Button2"));
    QVERIFY(!editor->Changed());
}

void CompositionEditorTest::failedSaveLeavesTheFileAsItWas() {
    StartedProgram program;
    DialogAnswers answers;
    TForm9* editor = W().form9;
    program.base.write("Hornel/keep.sk", "good file\r\n");
    editor->SetTexts(SampleTexts());
    editor->show();
    editor->Edit(100)->setText("");
    answers.saveFile = [&](const QString&, const QString&) { return program.base.file("Hornel/keep.sk"); };
    QVERIFY(Click(editor, "Button2"));
    QCOMPARE(answers.messages, QStringList{"'' is not a valid floating point value"});
    QCOMPARE(program.base.read("Hornel/keep.sk"), QByteArray("good file\r\n"));
    QVERIFY(editor->Changed());
}

void CompositionEditorTest::openReadsAFormationFile() {
    StartedProgram program;
    DialogAnswers answers;
    TForm9* editor = W().form9;
    CompositionRecord record;
    for (auto& v : record.feed) v = 1.0;
    record.feed[67] = 33.0;  // 67 + 33 = 100
    record.catalyzate[0] = 100.0;
    record.fraction = {86, 96, 113, 152, 175};
    record.density = 0.73;
    WriteCompositionFile(record, program.base.programPath() + "\\Hornel", "f");
    answers.openFile = [&](const QString&, const QString&) { return program.base.file("Hornel/f.sk"); };
    editor->show();
    QVERIFY(Click(editor, "Button3"));
    QCOMPARE(answers.messages, QStringList());
    QCOMPARE(editor->Edit(139)->text(), QString("  86"));
    QCOMPARE(editor->Edit(145)->text(), QString(" 0.730"));
    QCOMPARE(editor->Edit(70)->text(), QString("100.000"));
    QVERIFY(!editor->Changed());
    QCOMPARE(editor->SumSir->text(), QString("100.000"));
    QCOMPARE(editor->SumKat->text(), QString("100.000"));
}

QTEST_MAIN(CompositionEditorTest)
#include "composition_editor_test.moc"
