#include "widgets/dbdate.h"

#include "core/ErrorGuard.h"
#include "core/UserDialogs.h"
#include "db/Dataset.h"
#include "db/DateFormat.h"
#include "widgets/CalendarButton.h"
#include "widgets/DateTyping.h"
#include "widgets/FieldLink.h"
#include "widgets/RecordKeys.h"

#include <QKeyEvent>

TDBDateEdit::TDBDateEdit(QWidget* parent) : BoundLineEdit(parent)
{
    setInputMask(dateInputMask());
    setReadOnly(true);
    addCalendarButton(this, [this] { runGuarded([this] { openCalendar(); }); });
}

void TDBDateEdit::bind(Dataset* dataset, const QString& field)
{
    if (dataset && dataset->isActive()) {
        const int index = dataset->fieldIndex(field);
        if (index < 0 || dataset->field(index).type != FieldType::Date) {
            dialogs().beep();
            dialogs().error(QLatin1Char('"') + field + QStringLiteral("\" is not a date field!"));
            return;
        }
    }
    if (this->dataset())
        disconnect(this->dataset(), nullptr, this, nullptr);
    BoundLineEdit::bind(dataset, field);
    if (dataset)
        connect(dataset, &Dataset::stateChanged, this, &TDBDateEdit::followState);
    followState();
}

void TDBDateEdit::followState()
{
    setReadOnly(!dataset() || !dataset()->isEditing());
}

bool TDBDateEdit::startEditing()
{
    if (!m_link->beginEdit())
        return false;
    followState();
    return true;
}

void TDBDateEdit::openCalendar()
{
    if (!dataset() || !dataset()->isActive())
        return;
    const QDate current = dataset()->asDate(field());
    const std::optional<QDate> chosen =
        dialogs().pickDate(current.isValid() ? current : QDate::currentDate());
    if (!chosen || !startEditing())
        return;
    // The field receives the date when the input is left.
    setText(DateFormat::toShortText(*chosen));
    m_link->markModified();
}

void TDBDateEdit::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool plain = mods == 0;
    const bool ctrl = mods & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (plain)
            focusNext();
        else if (ctrl)
            runGuarded([this] { openCalendar(); });
        return;
    case Qt::Key_Down:
        if (plain)
            focusNext();
        else if (ctrl)
            runGuarded([this] { openCalendar(); });
        else
            QLineEdit::keyPressEvent(event);
        return;
    case Qt::Key_Up:
        if (plain)
            focusPrevious();
        return;
    case Qt::Key_Escape:
        m_link->refresh();
        selectAll();
        return;
    case Qt::Key_Insert:
        if (mods == Qt::ShiftModifier) {
            if (startEditing())
                paste();
            return;
        }
        break;
    case Qt::Key_Delete:
        if (mods == Qt::ShiftModifier) {
            if (startEditing())
                cut();
            return;
        }
        break;
    case Qt::Key_Backspace:
        if (startEditing())
            QLineEdit::keyPressEvent(event);
        return;
    case Qt::Key_V:
    case Qt::Key_X:
        if (mods == Qt::ControlModifier) {
            if (startEditing())
                QLineEdit::keyPressEvent(event);
            return;
        }
        break;
    default:
        break;
    }
    if (RecordKeys::handle(event, dataset(), {true, false}))
        return;
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.at(0).isPrint() && !(mods & (Qt::ControlModifier | Qt::AltModifier))) {
        if (DateTyping::isRefusedCharacter(event)) {
            dialogs().beep(); // the date takes digits and its separator only
            return;
        }
        if (!startEditing())
            return;
        if (DateTyping::isSeparator(event))
            DateTyping::endPartEarly(this);
        QLineEdit::keyPressEvent(event);
        m_link->markModified();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
