// The conditions form, data selection and the historian import, driven as a
// user drives them: typed keys, leaving fields, buttons, answered dialogs.
#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "common/codepage.h"
#include "common/errors.h"
#include "common/files.h"
#include "common/regional.h"
#include "composition/component_list_editor.h"
#include "composition/composition_editor.h"
#include "composition/composition_file.h"
#include "conditions/conditions_form.h"
#include "conditions/data_selection_ui.h"
#include "conditions/missing_composition_warning.h"
#include "runs/feed_info_window.h"
#include "shell/main_window.h"
#include "shell/date_field.h"
#include "shell/plant_selection.h"
#include "shell/program_context.h"
#include "shell/window_registry.h"
#include "window_test_support.h"

using namespace rw;
using namespace rw::test;

namespace {

constexpr int kRow11 = 11;

QStringList Lines(const QByteArray& bytes) {
    QString text = QString::fromStdString(Cp866ToUtf8(bytes.toStdString()));
    QStringList lines = text.split("\r\n");
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

// The form shown and active, so that focus moves as with a user.
void ShowActive(QWidget* window) {
    window->showNormal();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

// Types into a field after selecting its text, as a user replacing a value.
void TypeOver(QLineEdit* edit, const QString& keys) {
    edit->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, keys);
}

// Plant row 11 selected on the temporary base folder, as plant selection leaves it.
void SelectRow11(const StartedProgram& program) {
    SelectPlant(Context(), kRow11);
    FinishPlantSelection(Context(), kRow11);
    W().form8->PrepareForPlant(kRow11, program.base.file("Basa/Pic/1.jpg"));
}

}  // namespace

class ConditionsFormTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { Regional().decimalSeparator = '.'; }

    void keystrokeFilterRemovesWhatTheStrictRuleRejects();
    void exitCheckRestoresTheTextBeforeTheLastChange();
    void gasCompositionSumFollowsTheEdits();
    void layoutFollowsThePlant();
    void normalSaveWritesTheChosenShortName();
    void dataEntrySaveRow11WritesFifteenLinesAndHandsOver();
    void dataEntrySaveStopsOnAnUnreadableFifthColumn();
    void dataSelectionWithoutCompositionFileWarns();
    void dataSelectionWithCompositionFileFillsTheEditors();
    void dataSelectionMissingFileChangesNothingOnTheForm();
    void historianImportFillsTheFormAndAsksAgainOnWrongDates();
    void historianImportCommaValueAndUnreadableWorkbook();
};

void ConditionsFormTest::keystrokeFilterRemovesWhatTheStrictRuleRejects() {
    StartedProgram program;
    TForm8* form = W().form8;
    ShowActive(form);

    TypeOver(form->Edit3, "1,5");
    QCOMPARE(form->Edit3->text(), QString("15"));
    // The fifth column turns the comma into a point instead.
    TypeOver(form->Edit27, "1,5");
    QCOMPARE(form->Edit27->text(), QString("1.5"));
    // Letters vanish; an unfinished number stays so typing can go on.
    TypeOver(form->Edit24, "2x.5");
    QCOMPARE(form->Edit24->text(), QString("2.5"));
    TypeOver(form->Edit11, "1e");
    QCOMPARE(form->Edit11->text(), QString("1e"));
    TypeOver(form->Edit12, "-");
    QCOMPARE(form->Edit12->text(), QString("-"));
    // Six typed characters at most, but the program may put in more.
    TypeOver(form->Edit7, "1234567");
    QCOMPARE(form->Edit7->text(), QString("123456"));
    form->Edit7->setText("1234.50");
    QCOMPARE(form->Edit7->text(), QString("1234.50"));
    // The feed flow has no keystroke filter.
    TypeOver(form->Edit1, "1,5");
    QCOMPARE(form->Edit1->text(), QString("1,5"));
}

void ConditionsFormTest::exitCheckRestoresTheTextBeforeTheLastChange() {
    StartedProgram program;
    TForm8* form = W().form8;
    ShowActive(form);
    form->Edit1->setText("65.0");
    form->Edit24->setText("  0.01");

    TypeOver(form->Edit1, "abc");
    QCOMPARE(form->Edit1->text(), QString("abc"));  // kept while the user is in the field
    form->Edit2->setFocus(Qt::TabFocusReason);
    QCOMPARE(form->Edit1->text(), QString("65.0"));

    // A comma is fine for the exit check of the feed flow.
    TypeOver(form->Edit1, "70,5");
    form->Edit2->setFocus(Qt::TabFocusReason);
    QCOMPARE(form->Edit1->text(), QString("70,5"));

    // Emptied and left: the old value comes back.
    form->Edit24->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(form->Edit24, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(form->Edit24, Qt::Key_Delete);
    QCOMPARE(form->Edit24->text(), QString());
    form->Edit25->setFocus(Qt::TabFocusReason);
    QCOMPARE(form->Edit24->text(), QString("  0.01"));

    // The history is cleared on leaving: a later bad text goes back to the
    // value accepted then, not to an older one.
    TypeOver(form->Edit28, "480");
    form->Edit29->setFocus(Qt::TabFocusReason);
    TypeOver(form->Edit28, "-");
    form->Edit29->setFocus(Qt::TabFocusReason);
    QCOMPARE(form->Edit28->text(), QString("480"));
}

void ConditionsFormTest::gasCompositionSumFollowsTheEdits() {
    StartedProgram program;
    TForm8* form = W().form8;
    ShowActive(form);
    const QStringList values = {"90", "5", "2", "1", "1", "0.5", "0.3", "0.1", "0.1"};
    for (int i = 0; i < 9; ++i) TypeOver(form->Edit(15 + i), values[i]);
    QCOMPARE(form->Label25->text(), QString("100.00000"));

    // A letter typed into a composition field is removed and the sum shown
    // for the text as it stands after the removal.
    TypeOver(form->Edit15, "8a0");
    QCOMPARE(form->Edit15->text(), QString("80"));
    QCOMPARE(form->Label25->text(), QString("90.00000"));

    // Each showing recomputes the sum, also of texts the program put in.
    form->hide();
    form->Edit15->blockSignals(true);
    form->Edit15->setText("81.2");
    form->Edit15->blockSignals(false);
    form->show();
    QCOMPARE(form->Label25->text(), QString("91.20000"));
}

void ConditionsFormTest::layoutFollowsThePlant() {
    StartedProgram program;
    TForm8* form = W().form8;
    form->PrepareForPlant(kRow11, program.base.file("Basa/Pic/1.jpg"));
    QCOMPARE(form->width(), 898);
    QVERIFY(!form->Label8->isHidden());
    QVERIFY(!form->Edit27->isHidden() && !form->Edit28->isHidden() && !form->Edit29->isHidden());
    QVERIFY(form->Label24->isHidden());
    QVERIFY(!form->Button4->isHidden());
    QCOMPARE(form->TexShemeImage->pixmap().width(), 870);

    form->PrepareForPlant(3, program.base.file("Basa/Pic/2.jpg"));
    QCOMPARE(form->width(), 722);
    QVERIFY(form->Label8->isHidden() && form->Edit27->isHidden() && form->Edit29->isHidden());
    QVERIFY(!form->Label24->isHidden());
    QVERIFY(form->Button4->isHidden());
    QCOMPARE(form->TexShemeImage->pixmap().width(), 700);
    // The fourth reactor's edits carry file values only.
    QVERIFY(form->Edit6->isHidden() && form->Edit10->isHidden() && form->Edit14->isHidden());

    bool failed = false;
    try {
        form->PrepareForPlant(kRow11, program.base.file("Basa/Pic/missing.jpg"));
    } catch (const UserError& e) {
        failed = true;
        QCOMPARE(QString::fromUtf8(e.what()), QString("File not found"));
    }
    QVERIFY(failed);
}

void ConditionsFormTest::normalSaveWritesTheChosenShortName() {
    StartedProgram program;
    DialogAnswers answers;
    TForm8* form = W().form8;
    QString askedFolder;
    answers.saveFile = [&](const QString&, const QString& folder) {
        askedFolder = folder;
        return program.base.file("Hornel/Conditions-2009-09-01.dan");
    };
    form->DateTimePicker1->setDate(QDate(2009, 9, 1));
    form->DateTimePicker2->setDate(QDate(2008, 4, 14));
    form->Edit3->setText(" 29.50");
    form->Edit1->setText("1500,5");  // passes the feed flow's exit check, read by its valid prefix
    form->show();
    QVERIFY(Click(form, "Button2"));

    QCOMPARE(answers.messages, QStringList());
    QCOMPARE(QDir::cleanPath(askedFolder), QDir::cleanPath(program.base.path()));
    const QStringList lines = Lines(program.base.read("Hornel/Conditions-20.dan"));
    QCOMPARE(lines.size(), 13);
    QVERIFY(lines[2].startsWith(" 29.50 "));
    QVERIFY(lines[10].startsWith("1500.00"));
    QVERIFY(lines[11].startsWith("01.09.09"));
    QVERIFY(lines[12].startsWith("14.04.08"));
    QVERIFY(form->isHidden());
    QVERIFY(W().form5->isEnabled());

    // Cancelled: nothing written, back to the main window all the same.
    answers.saveFile = [](const QString&, const QString&) { return QString(); };
    program.base.remove("Hornel/Conditions-20.dan");
    form->show();
    QVERIFY(Click(form, "Button2"));
    QVERIFY(!program.base.exists("Hornel/Conditions-20.dan"));
    QVERIFY(form->isHidden());
}

void ConditionsFormTest::dataEntrySaveRow11WritesFifteenLinesAndHandsOver() {
    StartedProgram program;
    DialogAnswers answers;
    SelectRow11(program);
    RunDataSelection();
    answers.messages.clear();  // the data has no composition file yet: the warning is not the point here
    TForm8* form = W().form8;
    program.base.remove("Hornel/01-09-09/01-09-09.dan");

    W().form5->BdanClick();
    QVERIFY(form->DataEntryMode());
    QCOMPARE(form->DateTimePicker1->date(), QDate(2009, 9, 1));
    ShowActive(form);
    TypeOver(form->Edit28, "501,5");
    QVERIFY(Click(form, "Button2"));

    const QStringList lines = Lines(program.base.read("Hornel/01-09-09/01-09-09.dan"));
    QCOMPARE(lines.size(), 15);
    QCOMPARE(lines[13], QString(" 2.70000000000000E+0001  5.01500000000000E+0002  8.00000000000000E+0000"));
    QCOMPARE(lines[14], QString(" 27.80 497.00  18.00"));
    QCOMPARE(Regional().decimalSeparator, ',');
    QCOMPARE(QString::fromStdString(Context().entrySampleName), QString("01-09-09"));
    QCOMPARE(Context().currentStream, 1);
    QVERIFY(form->isHidden());
    QVERIFY(!form->DataEntryMode());
    // The component list editor takes the feed flow typed on the form.
    QVERIFY(W().basadan->isVisible());
    QCOMPARE(W().basadan->F7->text(), form->Edit1->text());
}

void ConditionsFormTest::dataEntrySaveStopsOnAnUnreadableFifthColumn() {
    StartedProgram program;
    DialogAnswers answers;
    SelectRow11(program);
    TForm8* form = W().form8;
    form->DateTimePicker1->setDate(QDate(2009, 9, 2));
    form->Edit27->setText("");
    form->SetDataEntryMode(true);
    form->show();
    QVERIFY(Click(form, "Button2"));

    QCOMPARE(answers.messages, QStringList{"'' is not a valid floating point value"});
    // Nothing is written: a file cut after line 13 would lose the fifth column.
    QVERIFY(!program.base.exists("Hornel/02-09-09/02-09-09.dan"));
    QVERIFY(form->isVisible());
    QVERIFY(form->DataEntryMode());
    QVERIFY(!W().basadan->isVisible());
}

void ConditionsFormTest::dataSelectionWithoutCompositionFileWarns() {
    StartedProgram program;
    DialogAnswers answers;
    SelectRow11(program);
    W().form5->N15->setEnabled(true);
    program.base.remove("Hornel/01-09-09/01-09-09.sk");
    W().form5->N12Click();

    TForm8* form = W().form8;
    QCOMPARE(form->DateTimePicker1->date(), QDate(2009, 9, 1));
    QCOMPARE(form->DateTimePicker2->date(), QDate(2008, 4, 14));
    QCOMPARE(form->Edit1->text(), QString("65.0"));
    QCOMPARE(form->Edit3->text(), QString(" 29.50"));
    QCOMPARE(form->Edit6->text(), QString(" 27.00"));
    QCOMPARE(form->Edit15->text(), QString(" 81.20"));
    QCOMPARE(form->Edit26->text(), QString("586911.00"));
    QCOMPARE(form->Edit27->text(), QString(" 27.00"));
    QCOMPARE(form->Edit28->text(), QString("499.00"));
    QCOMPARE(form->Edit29->text(), QString("  8.00"));

    TForm7* warning = W().form7;
    QVERIFY(warning->isVisible());
    QCOMPARE(warning->Label3->text(), QString("01-09-09"));
    QCOMPARE(warning->Label5->text(), QString("01-09-09.dan"));
    QCOMPARE(warning->Label9->text(), QString("01-09-09.sk"));
    QVERIFY(!W().form5->isEnabled());
    QVERIFY(!W().form5->N15->isEnabled());
    QCOMPARE(QString::fromStdString(Context().sampleName), QString("01-09-09"));

    QVERIFY(Click(warning, "Button1"));
    QVERIFY(!warning->isVisible());
    QVERIFY(W().form5->isEnabled());
}

void ConditionsFormTest::dataSelectionWithCompositionFileFillsTheEditors() {
    StartedProgram program;
    DialogAnswers answers;
    SelectRow11(program);
    CompositionRecord record;
    record.feed[0] = 1.25;
    record.feed[67] = 100;
    record.catalyzate[68] = -1.5;
    record.fraction = {86, 96, 113, 152, 175};
    record.density = 0.73;
    WriteCompositionFile(record, Context().plantFolder + "\\01-09-09", "01-09-09");
    W().form5->N16->setEnabled(false);
    W().form5->N8->setEnabled(false);

    W().form5->N12Click();

    QCOMPARE(answers.messages, QStringList());
    TForm9* editor = W().form9;
    QCOMPARE(editor->Edit(1)->text(), QString(" 1.250"));
    QCOMPARE(editor->Edit(68)->text(), QString("100.000"));  // longer than the six typed characters
    QCOMPARE(editor->Edit(138)->text(), QString("-1.500"));
    QCOMPARE(editor->Edit(139)->text(), QString("  86"));
    QCOMPARE(editor->Edit(145)->text(), QString(" 0.730"));
    QVERIFY(editor->Changed());
    QCOMPARE(W().form30->F1->text(), QString("  86"));
    QCOMPARE(W().form30->F6->text(), QString(" 0.730"));
    QCOMPARE(W().form30->Label9->text(), QString("01-09-09"));
    QVERIFY(W().form5->N8->isEnabled());
    QVERIFY(W().form5->N16->isEnabled());
    QVERIFY(!W().form5->N15->isEnabled());
    QVERIFY(W().form5->windowTitle().endsWith("Дата отбора: 01-09-09"));
    QVERIFY(program.base.exists("sk"));
    QCOMPARE(QString::fromStdString(Context().lastSampleName), QString("01-09-09"));
    QVERIFY(!W().form7->isVisible());
}

void ConditionsFormTest::dataSelectionMissingFileChangesNothingOnTheForm() {
    StartedProgram program;
    DialogAnswers answers;
    SelectRow11(program);
    program.base.remove("Hornel/01-09-09/01-09-09.dan");
    W().form8->Edit3->setText("12");
    W().form5->N12->trigger();
    QCOMPARE(answers.messages, QStringList{"File not found"});
    QCOMPARE(W().form8->Edit3->text(), QString("12"));
}

void ConditionsFormTest::historianImportFillsTheFormAndAsksAgainOnWrongDates() {
    StartedProgram program;
    DialogAnswers answers;
    SelectRow11(program);
    Regional().decimalSeparator = ',';
    TForm8* form = W().form8;
    form->Edit4->setText("24.00");  // PT_222 is in the export: replaced

    answers.openFile = [](const QString&, const QString&) {
        return QString(REFORMER_TEST_DATA) + "/xls/historian_export.xls";
    };
    // First round: regeneration after sampling. Second round: ten days before.
    QStringList asked;
    int round = 0;
    answers.modal = [&](QDialog* d) {
        const QString caption = d->findChild<QLabel*>("Caption")->text();
        asked << caption.trimmed();
        if (auto* picker = d->findChild<DateField*>("DateTimePicker1")) {
            picker->setDate(QDate(2009, 9, 1));
        } else if (auto* picker2 = d->findChild<DateField*>("DateTimePicker2")) {
            picker2->setDate(round == 0 ? QDate(2009, 9, 5) : QDate(2009, 8, 22));
        } else if (auto* sulphur = d->findChild<QLineEdit*>("Edit25")) {
            sulphur->setText("0.5");
            ++round;
        }
        return int(QDialog::Accepted);
    };
    QVERIFY(Click(form, "Button4"));

    QCOMPARE(answers.messages, QStringList{"Дата регенерации указана позже, чем дата отбора!"});
    QCOMPARE(asked.size(), 6);
    QCOMPARE(asked[0], QString("Выберите дату отбора"));
    QCOMPARE(asked[1], QString("Выберите дату регенерации"));
    QCOMPARE(asked[2], QString("Выберите серу в гидрогенизате"));
    QCOMPARE(answers.modalShown.size(), 6);

    QCOMPARE(form->Edit1->text(), QString("96.4"));
    QCOMPARE(form->Edit2->text(), QString("118540"));
    QCOMPARE(form->Edit24->text(), QString("0.0021"));
    QCOMPARE(form->Edit3->text(), QString("25.3"));
    QCOMPARE(form->Edit4->text(), QString("24.8"));
    QCOMPARE(form->Edit13->text(), QString("14.2"));
    QCOMPARE(form->Edit27->text(), QString("23.5"));
    QCOMPARE(form->Edit28->text(), QString("495.25"));
    QCOMPARE(form->Edit29->text(), QString("6"));
    QCOMPARE(form->Edit25->text(), QString("0.5"));
    QCOMPARE(form->DateTimePicker2->date(), QDate(2009, 8, 22));
    // 96.4 m3/h x 10 days x 24 h x 0.745 t/m3 = 17236.32, to one decimal.
    QCOMPARE(form->Edit26->text(), QString("17236.3"));
    QCOMPARE(Regional().decimalSeparator, ',');
}

void ConditionsFormTest::historianImportCommaValueAndUnreadableWorkbook() {
    StartedProgram program;
    DialogAnswers answers;
    SelectRow11(program);
    TForm8* form = W().form8;
    QString workbook = "pt219_text_comma.xls";
    answers.openFile = [&](const QString&, const QString&) { return QString(REFORMER_TEST_DATA) + "/xls/" + workbook; };
    form->DateTimePicker1->setDate(QDate(2009, 9, 11));
    form->DateTimePicker2->setDate(QDate(2009, 9, 1));
    answers.modal = [](QDialog*) { return int(QDialog::Accepted); };
    QVERIFY(Click(form, "Button4"));
    QCOMPARE(answers.messages, QStringList());
    QCOMPARE(form->Edit3->text(), QString("12.3"));

    // A file that is no workbook: the message, and no field changes.
    workbook = "not_a_workbook.xls";
    form->Edit3->setText(" 29.50");
    answers.modalShown.clear();
    QVERIFY(Click(form, "Button4"));
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(form->Edit3->text(), QString(" 29.50"));
    QVERIFY(answers.modalShown.isEmpty());
}

QTEST_MAIN(ConditionsFormTest)
#include "conditions_form_test.moc"
