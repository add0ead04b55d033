// The shapes the dialogs are built from: where the rows put the widgets they
// are given, and how a wizard step and a composition question answer the
// keyboard and the title bar.
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

#include "common/configuration.h"
#include "shell/dialog_builders.h"

using namespace rw;

namespace {

// A window of `width` pixels, without margins, holding the row.
void ShowRow(QWidget& host, QLayout* row, int width) {
    auto* layout = new QVBoxLayout(&host);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(row);
    host.resize(width, 60);
    host.show();
    layout->activate();
}

}  // namespace

class DialogBuildersTest : public QObject {
    Q_OBJECT
private slots:
    void buttonRowPutsLeadingLeftAndTrailingRight();
    void confirmationAnswersAreCentredAndApart();
    void fieldGridFillsItsRowsTopToBottom();
    void comparisonTableKeepsItsColumns();
    void wizardStepGoesOnWithEnterAndStopsWithEscape();
    void questionFrameRequiresAnAnswer_data();
    void questionFrameRequiresAnAnswer();
};

void DialogBuildersTest::buttonRowPutsLeadingLeftAndTrailingRight() {
    QWidget host;
    auto* help = new QPushButton("Справка", &host);
    auto* copy = new QPushButton("Копировать", &host);
    auto* ok = new QPushButton("OK", &host);
    auto* cancel = new QPushButton("Отмена", &host);
    ShowRow(host, ButtonRow({help, copy}, {ok, cancel}), 700);
    QCOMPARE(help->x(), 0);
    QVERIFY(copy->x() > help->geometry().right());
    QVERIFY(ok->x() > copy->geometry().right() + 100);  // the free space lies between the two groups
    QVERIFY(cancel->x() > ok->geometry().right());
    QCOMPARE(cancel->geometry().right(), 699);

    QWidget footHost;
    auto* next = new QPushButton("Далее", &footHost);
    ShowRow(footHost, ButtonRow({next}), 500);
    QCOMPARE(next->geometry().right(), 499);
}

void DialogBuildersTest::confirmationAnswersAreCentredAndApart() {
    QWidget host;
    auto* yes = new QPushButton("Да", &host);
    auto* no = new QPushButton("Нет", &host);
    ShowRow(host, CentredButtonRow({yes, no}, 24), 600);
    QVERIFY(no->x() - yes->geometry().right() - 1 >= 24);
    const int left = yes->x();
    const int right = 600 - 1 - no->geometry().right();
    QVERIFY2(qAbs(left - right) <= 1, qPrintable(QString("left %1, right %2").arg(left).arg(right)));
}

void DialogBuildersTest::fieldGridFillsItsRowsTopToBottom() {
    QWidget owner;
    FieldGrid grid(10);
    auto* caption = new QLabel("Активность", &owner);
    auto* value = new QLabel("0.95", &owner);
    auto* unit = new QLabel("у.е.", &owner);
    QCOMPARE(grid.AddRow(caption, value, unit), value);
    QLineEdit* edit = grid.AddEdit(&owner, "Label8", "Подача хлорорганики", "Edit1");
    QCOMPARE(grid.rows(), 2);
    QCOMPARE(grid.layout()->horizontalSpacing(), 10);
    QGridLayout* layout = grid.layout();
    QCOMPARE(layout->itemAtPosition(0, 0)->widget(), caption);
    QCOMPARE(layout->itemAtPosition(0, 1)->widget(), value);
    QCOMPARE(layout->itemAtPosition(0, 2)->widget(), unit);
    QCOMPARE(layout->itemAtPosition(0, 1)->alignment(), Qt::Alignment());  // fields fill their cells
    auto* editCaption = qobject_cast<QLabel*>(layout->itemAtPosition(1, 0)->widget());
    QVERIFY(editCaption);
    QCOMPARE(editCaption->objectName(), QString("Label8"));
    QCOMPARE(editCaption->text(), QString("Подача хлорорганики"));
    QCOMPARE(layout->itemAtPosition(1, 1)->widget(), edit);
    QCOMPARE(edit->objectName(), QString("Edit1"));
    QCOMPARE(edit->parent(), &owner);
    QVERIFY(!layout->itemAtPosition(1, 2));  // a row without a unit leaves its third column empty
    delete layout;
}

void DialogBuildersTest::comparisonTableKeepsItsColumns() {
    QWidget owner;
    FieldGrid table(18, Qt::AlignRight);
    auto* study = new QLabel("Исследование", &owner);
    auto* compared = new QLabel("Сравнение", &owner);
    table.AddHeading(nullptr, study, compared);
    auto* group = new QLabel("Степень превращения", &owner);
    table.AddSpanning(group);
    auto* caption = new QLabel("Выход водорода", &owner);
    auto* current = new QLabel("2.1", &owner);
    auto* other = new QLabel("2.3", &owner);
    table.AddRow(caption, current, other);
    QGridLayout* layout = table.layout();
    QCOMPARE(table.rows(), 3);
    QVERIFY(!layout->itemAtPosition(0, 0));  // a heading without a caption leaves the captions' column free
    QCOMPARE(layout->itemAtPosition(0, 1)->widget(), study);
    QCOMPARE(layout->itemAtPosition(0, 2)->widget(), compared);
    QCOMPARE(layout->itemAtPosition(0, 2)->alignment(), Qt::AlignRight);
    int row, column, rowSpan, columnSpan;
    layout->getItemPosition(layout->indexOf(group), &row, &column, &rowSpan, &columnSpan);
    QCOMPARE(QList<int>({row, column, rowSpan, columnSpan}), QList<int>({1, 0, 1, 3}));
    QCOMPARE(layout->itemAtPosition(2, 0)->widget(), caption);
    QCOMPARE(layout->itemAtPosition(2, 0)->alignment(), Qt::Alignment());
    QCOMPARE(layout->itemAtPosition(2, 1)->alignment(), Qt::AlignRight);
    QCOMPARE(layout->itemAtPosition(2, 2)->widget(), other);
    QCOMPARE(layout->itemAtPosition(2, 2)->alignment(), Qt::AlignRight);
    delete layout;
}

void DialogBuildersTest::wizardStepGoesOnWithEnterAndStopsWithEscape() {
    QDialog step;
    QLabel* text = nullptr;
    const WizardStepButtons buttons = BuildWizardStep(&step, "Form17", "Выход", 10, [&](QVBoxLayout* body) {
        text = new QLabel("Выберите базовую дату", &step);
        body->addWidget(text);
    });
    QCOMPARE(step.objectName(), QString("Form17"));
    QCOMPARE(step.windowTitle(), QString("мастер расчетов"));
    QCOMPARE(buttons.back->objectName(), QString("Button1"));
    QCOMPARE(buttons.back->text(), QString("Выход"));
    QCOMPARE(buttons.next->objectName(), QString("Button2"));
    QCOMPARE(buttons.next->text(), QString("Далее"));
    QVERIFY(buttons.next->isDefault() && !buttons.back->isDefault());

    int nextClicks = 0;
    QObject::connect(buttons.next, &QPushButton::clicked, [&] { ++nextClicks; });
    step.show();
    QVERIFY(QTest::qWaitForWindowExposed(&step));
    QVERIFY(buttons.back->y() > text->geometry().bottom());  // the navigation row is the step's foot
    QTest::keyClick(&step, Qt::Key_Return);
    QCOMPARE(nextClicks, 1);
    QTest::keyClick(&step, Qt::Key_Escape);
    QCOMPARE(nextClicks, 1);  // Escape leaves the wizard without going on
    QVERIFY(!step.isVisible());
    QCOMPARE(step.result(), int(QDialog::Rejected));
}

void DialogBuildersTest::questionFrameRequiresAnAnswer_data() {
    QTest::addColumn<bool>("described");
    QTest::addColumn<QString>("title");
    QTest::newRow("working") << false << "Группа вещества";
    QTest::newRow("described") << true << "";
}

void DialogBuildersTest::questionFrameRequiresAnAnswer() {
    QFETCH(bool, described);
    QFETCH(QString, title);
    SetConfiguration(described ? Configuration::Described : Configuration::Working);
    QDialog question;
    QVBoxLayout* layout = BuildQuestionFrame(&question, "Formb3", "Группа вещества");
    SetConfiguration(Configuration::Working);
    QCOMPARE(question.layout(), layout);
    QCOMPARE(question.objectName(), QString("Formb3"));
    QCOMPARE(question.windowTitle(), title);
    QVERIFY(question.isModal());
    const Qt::WindowFlags flags = question.windowFlags();
    QVERIFY(flags & Qt::CustomizeWindowHint);
    QVERIFY(!(flags & Qt::WindowCloseButtonHint));  // no way out of the title bar without an answer
    QVERIFY(flags & Qt::WindowStaysOnTopHint);
}

QTEST_MAIN(DialogBuildersTest)
#include "dialog_builders_test.moc"
