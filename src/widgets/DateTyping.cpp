#include "widgets/DateTyping.h"

#include "db/DateFormat.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace DateTyping
{

bool isSeparator(const QKeyEvent* event)
{
    return event->text() == QString(DateFormat::separator());
}

bool isRefusedCharacter(const QKeyEvent* event)
{
    const QString typed = event->text();
    if (typed.isEmpty() || !typed.at(0).isPrint() ||
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    return !typed.at(0).isDigit() && typed.at(0) != DateFormat::separator();
}

void endPartEarly(QLineEdit* input)
{
    const int caret = input->cursorPosition();
    const QString shown = input->displayText();
    const QChar separator = DateFormat::separator();
    if (input->hasSelectedText() || caret == 0 || caret > shown.size() || shown.at(caret - 1) == separator)
        return; // at the start of a part the separator just steps past it
    const int partEnd = int(shown.indexOf(separator, caret));
    if (partEnd > caret)
        input->setSelection(caret, partEnd - caret); // the mask clears a selection it types over
}

} // namespace DateTyping
