#pragma once
#include <QDate>
#include <QLineEdit>
#include <QString>

class QCalendarWidget;
class QFrame;

namespace rw {

// A date field that reads what an engineer types or pastes, as a text:
// "20.11.26", "20.11.2026", "20,11,26", "201126", "2026-11-20" (see
// ParseTypedDate). A section editor would take "20.11.26" digit by digit into
// whatever section the cursor happens to be in; here the whole text is read
// at once. The button at the right (and Alt+Down or F4) opens a calendar.
//
// While typing, a complete date is shown in the display format as soon as
// it is typed; an incomplete text stays as typed until the field is left or
// Enter is pressed. A text that is no date is refused then: the working
// configuration names the field in a message; the field shows its date again.
class DateField : public QLineEdit {
    Q_OBJECT
public:
    explicit DateField(const QDate& date, QWidget* parent = nullptr);

    QDate date() const { return date_; }
    // Shows `date` in the display format; an invalid date is ignored, as a
    // date picker ignores it.
    void setDate(const QDate& date);
    void setDisplayFormat(const QString& format);
    QString displayFormat() const { return format_; }
    // The caption the refusal names ("Дата отбора").
    void SetCaption(const QString& caption) { caption_ = caption; }
    QString Caption() const { return caption_; }
    // The calendar of the popup; a date clicked there becomes the field's date.
    QCalendarWidget* calendarWidget() const { return calendar_; }
    void ShowCalendar();

    // Reads the text as it stands: a date becomes the field's date and is
    // shown in the display format (true); any other text is refused as
    // described above (false).
    bool Commit();

signals:
    void dateChanged(const QDate& date);

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnTextEdited(const QString& text);
    void Remember(const QDate& date);
    bool ShortYear() const { return !format_.contains(QLatin1String("yyyy")); }

    QDate date_;
    QString format_ = QStringLiteral("dd.MM.yy");
    QString caption_;
    QFrame* popup_ = nullptr;
    QCalendarWidget* calendar_ = nullptr;
};

}  // namespace rw
