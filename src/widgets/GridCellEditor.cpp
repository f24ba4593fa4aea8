#include "widgets/GridCellEditor.h"

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
    setModified(false);
    deselect();
    end(false);
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
    QLineEdit::keyPressEvent(event);
}
