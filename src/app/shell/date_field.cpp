#include "shell/date_field.h"

#include <QAction>
#include <QCalendarWidget>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QStyle>
#include <QVBoxLayout>

#include "common/configuration.h"
#include "common/dates.h"
#include "shell/form_fields.h"
#include "shell/ui_services.h"

namespace rw {

namespace {

// Whether the user has typed all of a date, so that showing it in the
// display format cannot get in the way of the next keystroke. "20.11.20" in
// a four-digit-year field may still become "20.11.2026"; in a two-digit one
// the reformatted "20.11.20" still reads as typed when "26" follows.
bool CompleteAsTyped(const QString& typed, bool shortYear) {
    const QString text = typed.trimmed();
    static const QRegularExpression digitsOnly(QStringLiteral("^\\d+$"));
    if (digitsOnly.match(text).hasMatch()) return text.size() == 8 || (shortYear && text.size() == 6);
    const QStringList groups = text.split(QRegularExpression(QStringLiteral("[.,/-]")));
    if (groups.size() != 3) return false;
    if (groups[0].size() == 4) return groups[2].size() == 2;  // the year first: the day ends it
    return groups[2].size() == 4 || (shortYear && groups[2].size() == 2);
}

}  // namespace

DateField::DateField(const QDate& date, QWidget* parent) : QLineEdit(parent) {
    popup_ = new QFrame(this, Qt::Popup);
    popup_->setObjectName(QStringLiteral("CalendarPopup"));
    popup_->setFrameShape(QFrame::StyledPanel);
    calendar_ = new QCalendarWidget(popup_);
    calendar_->setObjectName(QStringLiteral("Calendar"));
    calendar_->setGridVisible(true);
    // The calendar's own typed editing works section by section, the very
    // reading this field replaces: a date is typed in the field, picked here.
    calendar_->setDateEditEnabled(false);
    auto* layout = new QVBoxLayout(popup_);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(calendar_);
    connect(calendar_, &QCalendarWidget::clicked, this, [this](QDate chosen) {
        popup_->hide();
        setDate(chosen);
        setFocus(Qt::PopupFocusReason);
    });
    connect(calendar_, &QCalendarWidget::activated, this, [this](QDate chosen) {
        popup_->hide();
        setDate(chosen);
        setFocus(Qt::PopupFocusReason);
    });

    QAction* open = addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    open->setObjectName(QStringLiteral("CalendarButton"));
    open->setToolTip(QStringLiteral("Календарь (Alt+Вниз)"));
    connect(open, &QAction::triggered, this, &DateField::ShowCalendar);

    connect(this, &QLineEdit::textEdited, this, &DateField::OnTextEdited);
    setDate(date);
}

void DateField::setDate(const QDate& date) {
    if (!date.isValid()) return;
    const QString shown = date.toString(format_);
    if (text() != shown) setText(shown);
    Remember(date);
}

void DateField::setDisplayFormat(const QString& format) {
    format_ = format;
    if (date_.isValid()) setText(date_.toString(format_));
}

void DateField::Remember(const QDate& date) {
    if (date == date_) return;
    date_ = date;
    emit dateChanged(date_);
}

void DateField::OnTextEdited(const QString& text) {
    double value = 0;
    if (!ParseTypedDate(text.toStdString(), CurrentYear(), value)) return;
    const QDate understood = ToQDate(value);
    if (!understood.isValid()) return;
    if (CompleteAsTyped(text, ShortYear())) {
        const QString shown = understood.toString(format_);
        if (shown != text) setText(shown);
    }
    Remember(understood);
}

bool DateField::Commit() {
    const QString typed = text();
    // The date as shown: read back, a two-digit year could land in another
    // century than the date it shows.
    if (date_.isValid() && typed == date_.toString(format_)) return true;
    double value = 0;
    if (ParseTypedDate(typed.toStdString(), CurrentYear(), value) && ToQDate(value).isValid()) {
        setDate(ToQDate(value));
        return true;
    }
    // The field never keeps a text it cannot read: its date comes back.
    if (date_.isValid()) setText(date_.toString(format_));
    if (WorkingConfiguration()) {
        const QString caption = caption_.isEmpty() ? objectName() : caption_;
        ui::ShowError(this, QString::fromStdString(NotADateMessage(caption.toStdString(), typed.toStdString())));
    }
    return false;
}

void DateField::ShowCalendar() {
    if (date_.isValid()) calendar_->setSelectedDate(date_);
    popup_->adjustSize();
    popup_->move(mapToGlobal(QPoint(0, height())));
    popup_->show();
    calendar_->setFocus(Qt::PopupFocusReason);
}

void DateField::focusOutEvent(QFocusEvent* event) {
    // Leaving the field for another control; the calendar popup, a message
    // box or another window taking the focus is not a leave.
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !popup_->isVisible()) Commit();
    QLineEdit::focusOutEvent(event);
}

void DateField::keyPressEvent(QKeyEvent* event) {
    const bool alt = event->modifiers() & Qt::AltModifier;
    if ((alt && event->key() == Qt::Key_Down) || event->key() == Qt::Key_F4) {
        ShowCalendar();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // A refused text keeps Enter from reaching the dialog's default button.
        if (!Commit()) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace rw
