#include "widgets/DateEdit.h"

#include "core/UserDialogs.h"
#include "db/DateFormat.h"
#include "widgets/CalendarButton.h"
#include "widgets/DateTyping.h"

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
    if (!m_refusalSaid) {
        m_refusalSaid = true;
        QTimer::singleShot(0, this, [this] { m_refusalSaid = false; });
        dialogs().warning(QStringLiteral("\"%1\" nu este o data calendaristica. Scrieti ziua, luna si anul, "
                                         "de exemplu %2.")
                              .arg(displayText(), DateFormat::toShortText(QDate(2024, 3, 15))));
    }
    return false;
}

QDate TDateEdit::date()
{
    const QDate typed = DateFormat::fromShortText(text());
    if (typed.isValid())
        m_value = typed;
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
    if (DateTyping::isSeparator(event))
        DateTyping::endPartEarly(this);
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
    if (!acceptText()) // the typing stays, selected, to be corrected
        QTimer::singleShot(0, this, [this] {
            setFocus(Qt::OtherFocusReason);
            selectAll();
        });
}
