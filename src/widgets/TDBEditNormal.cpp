#include "widgets/TDBEditNormal.h"

#include "db/Dataset.h"
#include "widgets/RecordKeys.h"

#include <QKeyEvent>

TDBEditNormal::TDBEditNormal(QWidget* parent) : BoundLineEdit(parent) {}

void TDBEditNormal::keyPressEvent(QKeyEvent* event)
{
    const bool plain =
        (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (plain)
            focusNext();
        return; // the Enter character is swallowed
    case Qt::Key_Down:
        if (plain) {
            focusNext();
            return;
        }
        break;
    case Qt::Key_Up:
        if (plain)
            focusPrevious();
        return;
    default:
        if (RecordKeys::handle(event, dataset()))
            return;
    }
    QLineEdit::keyPressEvent(event);
}
