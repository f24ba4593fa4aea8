#include "widgets/GridCellEditor.h"

#include "core/UserDialogs.h"
#include "db/DateFormat.h"
#include "widgets/CalendarButton.h"
#include "widgets/DateTyping.h"

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

void GridCellEditor::keyPressEvent(QKeyEvent* event)
{
    const bool altDown = event->key() == Qt::Key_Down && event->modifiers() == Qt::AltModifier;
    if (completer() && (altDown || event->key() == Qt::Key_F4)) {
        showWholePickList();
        return;
    }
    // A date takes digits and its separator; the mask would drop anything else without a word.
    if (isDateInput() && DateTyping::isRefusedCharacter(event)) {
        dialogs().beep();
        return;
    }
    if (isDateInput() && DateTyping::isSeparator(event))
        DateTyping::endPartEarly(this);
    QLineEdit::keyPressEvent(event);
}
