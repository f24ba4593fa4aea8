#include "widgets/DateEdit.h"

#include "core/UserDialogs.h"
#include "db/DateFormat.h"
#include "widgets/CalendarButton.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

TDateEdit::TDateEdit(QWidget* parent) : QLineEdit(parent)
{
    setInputMask(dateInputMask());
    setDate(QDate::currentDate());
    addCalendarButton(this, [this] { openCalendar(); });
}

void TDateEdit::setDate(const QDate& date)
{
    m_value = date;
    setText(DateFormat::toShortText(date));
}

bool TDateEdit::acceptText()
{
    const QDate typed = DateFormat::fromShortText(text());
    if (typed.isValid()) {
        m_value = typed;
        return true;
    }
    dialogs().beep();
    setText(DateFormat::toShortText(m_value));
    return false;
}

QDate TDateEdit::date()
{
    acceptText();
    return m_value;
}

void TDateEdit::openCalendar()
{
    const QDate typed = DateFormat::fromShortText(text());
    if (const std::optional<QDate> chosen = dialogs().pickDate(typed.isValid() ? typed : m_value))
        setDate(*chosen);
}

void TDateEdit::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & Qt::ControlModifier)) {
        openCalendar();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TDateEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason ||
        event->reason() == Qt::ShortcutFocusReason)
        QTimer::singleShot(0, this, &QLineEdit::selectAll); // the mask would place the caret instead
}

void TDateEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    if (!acceptText())
        QTimer::singleShot(0, this, [this] { setFocus(Qt::OtherFocusReason); });
}
