#include "widgets/GridCellEditor.h"

#include "core/UserDialogs.h"
#include "db/DateFormat.h"
#include "widgets/CalendarButton.h"
#include "widgets/DateTyping.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QCoreApplication>
#include <QItemSelectionModel>
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
    // The list takes the keys while it is open; this filter sees them before
    // the completer does (the last filter installed runs first).
    completer->popup()->installEventFilter(this);
}

void GridCellEditor::showWholePickList()
{
    completer()->setCompletionPrefix(QString());
    completer()->complete();
    m_pickListAsked = completer()->popup()->isVisible();
}

bool GridCellEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (completer() && watched == completer()->popup()) {
        if (event->type() == QEvent::KeyPress)
            return passKeyPastPickList(static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::Hide)
            m_pickListAsked = false;
    }
    return QLineEdit::eventFilter(watched, event);
}

bool GridCellEditor::passKeyPastPickList(QKeyEvent* event)
{
    const QAbstractItemView* list = completer()->popup();
    const bool valueChosen = list->selectionModel() && list->selectionModel()->hasSelection();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter on a value chosen in the list takes it, as in any drop-down.
        if (valueChosen && event->modifiers() == Qt::NoModifier)
            return false;
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Right:
    case Qt::Key_Left:
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        // They choose in a list dropped down; a suggestion leaves them to the grid.
        if (m_pickListAsked || event->modifiers() != Qt::NoModifier)
            return false;
        break;
    default:
        return false;
    }
    // The key moves on as in a cell without a list, the list closing.
    completer()->popup()->hide();
    QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(), event->isAutoRepeat(),
                   ushort(event->count()));
    QCoreApplication::sendEvent(this, &copy);
    return true;
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
