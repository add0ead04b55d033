// The field pieces every window shares: the date pickers' conversion, the
// strict number filter and the typing limit.
#include <QDateEdit>
#include <QLineEdit>
#include <QtTest>

#include <cmath>
#include <limits>

#include "common/dates.h"
#include "shell/form_fields.h"

using namespace rw;

class FormFieldsTest : public QObject {
    Q_OBJECT
private slots:
    void storedDatesAndPickerDatesAgree();
    void aDamagedDateLeavesThePickerAlone();
    void strictFilterRemovesWhatStopsTheReading_data();
    void strictFilterRemovesWhatStopsTheReading();
    void filterKeepsTypingWhereItWas();
    void typingLimitSparesTextsOfTheProgram();
};

void FormFieldsTest::storedDatesAndPickerDatesAgree() {
    struct Case {
        int y, m, d;
    };
    const Case cases[] = {{1899, 12, 30}, {1900, 3, 1}, {2009, 9, 1}, {2024, 2, 29}, {9999, 12, 31}};
    for (const Case& c : cases) {
        const double value = EncodeDate(c.y, c.m, c.d);
        QCOMPARE(ToQDate(value), QDate(c.y, c.m, c.d));
        QCOMPARE(ToQDate(value + 0.75), QDate(c.y, c.m, c.d));  // the time of day does not move the date
        QCOMPARE(DateValue(QDate(c.y, c.m, c.d)), value);
    }
}

void FormFieldsTest::aDamagedDateLeavesThePickerAlone() {
    QDateEdit picker(QDate(2009, 9, 1));
    for (double damaged : {std::numeric_limits<double>::quiet_NaN(), 1e300, -1e300}) {
        QVERIFY(!ToQDate(damaged).isValid());
        picker.setDate(ToQDate(damaged));
        QCOMPARE(picker.date(), QDate(2009, 9, 1));
    }
}

void FormFieldsTest::strictFilterRemovesWhatStopsTheReading_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("number") << " -12.5e+3" << " -12.5e+3";
    QTest::newRow("comma") << "12,5" << "125";
    QTest::newRow("second point") << "1.2.3" << "1.23";
    QTest::newRow("letters") << "4a5б" << "45";
    QTest::newRow("unfinished exponent") << "1e" << "1e";
    QTest::newRow("lone sign") << "-" << "-";
    QTest::newRow("lone point") << "." << ".";
}

void FormFieldsTest::strictFilterRemovesWhatStopsTheReading() {
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QCOMPARE(StripToStrict(typed), kept);
    QCOMPARE(StrictFailPosition(kept) == 0 || StrictFailPosition(kept) > kept.size(), true);
}

void FormFieldsTest::filterKeepsTypingWhereItWas() {
    QLineEdit edit("12x34");
    edit.setCursorPosition(3);  // just after the "x"
    bool filtering = false;
    bool sawFiltering = false;
    QObject::connect(&edit, &QLineEdit::textChanged, [&] { sawFiltering = filtering; });
    FilterToStrict(&edit, filtering);
    QCOMPARE(edit.text(), QString("1234"));
    QCOMPARE(edit.cursorPosition(), 2);
    QVERIFY(sawFiltering);  // the edit's own handler sees its correction as such
    QVERIFY(!filtering);
}

void FormFieldsTest::typingLimitSparesTextsOfTheProgram() {
    QLineEdit edit;
    LimitTypedLength(&edit, 6);
    QTest::keyClicks(&edit, "12345678");
    QCOMPARE(edit.text(), QString("123456"));
    edit.setText("1234.56789");  // the program's text stays whole
    QCOMPARE(edit.text(), QString("1234.56789"));
    QTest::keyClick(&edit, Qt::Key_End);
    QTest::keyClick(&edit, Qt::Key_Backspace);  // shortening is always taken
    QCOMPARE(edit.text(), QString("1234.5678"));
}

QTEST_MAIN(FormFieldsTest)
#include "form_fields_test.moc"
