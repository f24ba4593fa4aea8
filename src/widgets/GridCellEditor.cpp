#include "widgets/GridCellEditor.h"

#include "core/UserDialogs.h"
#include "db/DateFormat.h"
#include "widgets/CalendarButton.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QStringListModel>

GridCellEditor::GridCellEditor(QWidget* parent) : QLineEdit(parent)
{
    setFrame(false);
}

void GridCellEditor::showFieldText(const QString& text)
{
    m_fieldText = text;
    setText(text);
    m_shownText = QLineEdit::text();
    setModified(false);
    placeCaret();
}

void GridCellEditor::placeCaret()
{
    deselect();
    if (isDateInput())
        home(false);
    else
        end(false);
}

// A masked text is as long on screen as its mask, whatever is typed in it.
bool GridCellEditor::isAllSelected() const
{
    return hasSelectedText() && selectionLength() == displayText().size();
}

bool GridCellEditor::isCaretAtEnd() const
{
    return cursorPosition() >= displayText().size();
}

void GridCellEditor::setDateInput()
{
    setInputMask(dateInputMask());
    showFieldText(m_fieldText);
}

void GridCellEditor::setPickList(const QStringList& values)
{
    if (values.isEmpty()) {
        setCompleter(nullptr);
        return;
    }
    auto* completer = new QCompleter(new QStringListModel(values, this), this);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    setCompleter(completer);
}

bool GridCellEditor::isPickListShown() const
{
    return completer() && completer()->popup() && completer()->popup()->isVisible();
}

void GridCellEditor::showWholePickList()
{
    completer()->setCompletionPrefix(QString());
    completer()->complete();
}

// A date takes digits and its separator; the mask would drop anything else without a word.
bool GridCellEditor::isRefusedDateCharacter(const QKeyEvent* event) const
{
    const QString typed = event->text();
    if (!isDateInput() || typed.isEmpty() || !typed.at(0).isPrint() ||
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    return !typed.at(0).isDigit() && typed.at(0) != DateFormat::separator();
}

// The separator typed after a one-digit day or month ends that part: the
// places left in it are cleared, so "5.5.2024" typed over 03.03.2024 reads
// as 5 May and not as 53.53.2024 (nor 1.03.2024 over 02.03.2024 as 12 March).
void GridCellEditor::endDatePartEarly()
{
    const int caret = cursorPosition();
    const QString shown = displayText();
    const QChar separator = DateFormat::separator();
    if (hasSelectedText() || caret == 0 || shown.at(caret - 1) == separator)
        return; // at the start of a part the separator just steps past it
    const int partEnd = shown.indexOf(separator, caret);
    if (partEnd > caret)
        setSelection(caret, partEnd - caret); // the mask clears a selection it types over
}

void GridCellEditor::keyPressEvent(QKeyEvent* event)
{
    const bool altDown = event->key() == Qt::Key_Down && event->modifiers() == Qt::AltModifier;
    if (completer() && (altDown || event->key() == Qt::Key_F4)) {
        showWholePickList();
        return;
    }
    if (isRefusedDateCharacter(event)) {
        dialogs().beep();
        return;
    }
    if (isDateInput() && event->text() == QString(DateFormat::separator()))
        endDatePartEarly();
    QLineEdit::keyPressEvent(event);
}
