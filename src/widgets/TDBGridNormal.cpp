#include "widgets/TDBGridNormal.h"

#include "core/ErrorGuard.h"
#include "core/UserDialogs.h"
#include "db/Dataset.h"
#include "db/DatasetModel.h"
#include "db/DbError.h"
#include "widgets/ConfirmDelete.h"
#include "widgets/GridCellEditor.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>

// Creates the grid's cell editors. The grid takes their keys before the
// delegate's own handling (which would commit and close the editor on Enter,
// Tab and focus loss) and writes the typing into the record itself, so that a
// refused text can keep its editor.
class GridCellDelegate : public QStyledItemDelegate
{
public:
    explicit GridCellDelegate(TDBGridNormal* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override
    {
        auto* editor = new GridCellEditor(parent);
        // Numbers stay on the right while they are edited, as the cell shows them.
        editor->setAlignment(index.data(Qt::TextAlignmentRole).value<Qt::Alignment>());
        editor->setPickList(m_grid->m_pickLists.value(m_grid->fieldOfColumn(index.column()).toLower()));
        if (m_grid->isDateColumn(index.column()))
            editor->setDateInput();
        m_grid->editorCreated(editor);
        return editor;
    }

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override
    {
        m_grid->editorReleased(editor);
        QStyledItemDelegate::destroyEditor(editor, index);
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        if (auto* cell = qobject_cast<GridCellEditor*>(editor))
            m_grid->showFieldText(cell, index);
    }

    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override
    {
        // The grid writes the cell itself (TDBGridNormal::commitCell).
    }

    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (object != m_grid->m_editor)
            return QStyledItemDelegate::eventFilter(object, event);
        switch (event->type()) {
        case QEvent::KeyPress:
            return m_grid->handleKey(static_cast<QKeyEvent*>(event), true);
        case QEvent::FocusOut:
            m_grid->focusLeaving(static_cast<QFocusEvent*>(event)->reason());
            return false;
        case QEvent::MouseButtonDblClick:
            return m_grid->runPicker(m_grid->currentColumn());
        default:
            return false;
        }
    }

private:
    TDBGridNormal* m_grid;
};

TDBGridNormal::TDBGridNormal(QWidget* parent) : QTableView(parent)
{
    // The corner button selects the whole grid: a screen reader says so.
    if (auto* corner = findChild<QAbstractButton*>())
        corner->setAccessibleName(QStringLiteral("Selecteaza tot tabelul"));
    setItemDelegate(new GridCellDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // The grid opens its editor itself, on the current cell, whenever it has the focus.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab reaches keyPressEvent even without an open editor, and walks the cells there.
    setTabKeyNavigation(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionsMovable(false);
    // On the release: a message shown meanwhile would keep the header's press from ending.
    connect(verticalHeader(), &QHeaderView::sectionClicked, this, &TDBGridNormal::rowNumberClicked);
}

void TDBGridNormal::bind(Dataset* dataset, const QStringList& fields)
{
    if (m_dataset) {
        disconnect(m_dataset, nullptr, this, nullptr);
        m_dataset->removeRecordUpdater(this);
    }
    m_dataset = dataset;
    QAbstractItemModel* old = model();
    m_model = new DatasetModel(dataset, fields, this);
    setModel(m_model);
    if (old && old->parent() == this)
        old->deleteLater();
    connect(dataset, &Dataset::currentRowChanged, this, &TDBGridNormal::followDataset);
    connect(dataset, &Dataset::rowsReset, this, &TDBGridNormal::followDataset);
    // What is typed in the cell reaches the record before it is posted.
    dataset->addRecordUpdater(this, [this] {
        if (m_dataset && currentIndex().row() == m_dataset->currentRow())
            commitCell();
    });
    followDataset();
}

void TDBGridNormal::setEditingAllowed(bool allowed)
{
    m_editingAllowed = allowed;
    if (!allowed && m_editor && commitEditor())
        closeEditor(m_editor, QAbstractItemDelegate::NoHint);
}

void TDBGridNormal::setRowSelect(bool rowSelect)
{
    m_rowSelect = rowSelect;
    setSelectionBehavior(rowSelect ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    // Whole-row selection rules out editing.
    if (rowSelect && m_editor && commitEditor())
        closeEditor(m_editor, QAbstractItemDelegate::NoHint);
}

void TDBGridNormal::setColumnReadOnly(const QString& field, bool readOnly)
{
    if (readOnly)
        m_readOnlyFields.insert(field.toLower());
    else
        m_readOnlyFields.remove(field.toLower());
    if (readOnly && m_editor && currentField().compare(field, Qt::CaseInsensitive) == 0 && commitEditor())
        closeEditor(m_editor, QAbstractItemDelegate::NoHint);
}

void TDBGridNormal::setColumnPickList(const QString& field, const QStringList& values)
{
    m_pickLists.insert(field.toLower(), values);
    if (m_editor && currentField().compare(field, Qt::CaseInsensitive) == 0)
        m_editor->setPickList(values);
}

void TDBGridNormal::setColumnPicker(const QString& field, Picker picker)
{
    m_pickers.insert(field.toLower(), std::move(picker));
}

void TDBGridNormal::selectField(const QString& field)
{
    if (!m_model || !m_dataset)
        return;
    for (int column = 0; column < m_model->columnCount(); ++column)
        if (fieldOfColumn(column).compare(field, Qt::CaseInsensitive) == 0)
            goTo(m_dataset->currentRow(), column);
}

QLineEdit* TDBGridNormal::cellEditor() const
{
    return m_editor;
}

QString TDBGridNormal::fieldOfColumn(int column) const
{
    const int field = m_model && m_dataset && m_dataset->isActive() ? m_model->fieldOfColumn(column) : -1;
    return field < 0 ? QString() : m_dataset->field(field).name;
}

bool TDBGridNormal::isDateColumn(int column) const
{
    const int field = m_model && m_dataset && m_dataset->isActive() ? m_model->fieldOfColumn(column) : -1;
    return field >= 0 && m_dataset->field(field).type == FieldType::Date;
}

bool TDBGridNormal::isColumnReadOnly(int column) const
{
    const int field = m_model && m_dataset && m_dataset->isActive() ? m_model->fieldOfColumn(column) : -1;
    if (field < 0)
        return true;
    // Calculated and self-numbering fields are never typed into.
    const FieldInfo& info = m_dataset->field(field);
    return info.calculated || info.type == FieldType::AutoInc ||
           m_readOnlyFields.contains(info.name.toLower());
}

int TDBGridNormal::lastColumn() const
{
    return m_model ? m_model->columnCount() - 1 : 0;
}

int TDBGridNormal::steppedColumn(int from, int step) const
{
    bool anyEditable = false;
    for (int column = 0; column <= lastColumn(); ++column)
        anyEditable = anyEditable || !isColumnReadOnly(column);
    // When every column is read-only, the keys stop in each of them.
    for (int column = from + step; column >= 0 && column <= lastColumn(); column += step)
        if (!anyEditable || !isColumnReadOnly(column))
            return column;
    return -1;
}

int TDBGridNormal::topVisibleRow() const
{
    const int row = rowAt(0);
    return row < 0 ? 0 : row;
}

int TDBGridNormal::bottomVisibleRow() const
{
    const int row = rowAt(viewport()->height() - 1);
    return row < 0 ? (m_model ? m_model->rowCount() - 1 : 0) : row;
}

bool TDBGridNormal::holdsFocus() const
{
    const QWidget* focused = window()->focusWidget();
    return focused && (focused == this || isAncestorOf(focused));
}

void TDBGridNormal::editorCreated(GridCellEditor* editor)
{
    m_editor = editor;
    connect(editor, &QLineEdit::textEdited, this, [this, editor] { typingBegan(editor); });
}

void TDBGridNormal::typingBegan(GridCellEditor* editor)
{
    if (editor != m_editor || !m_dataset || !m_dataset->isActive() || m_dataset->isEditing() ||
        currentIndex().row() != m_dataset->currentRow())
        return;
    const QPointer<GridCellEditor> typedInto = editor;
    const bool editing = runGuarded([this] {
        if (!m_dataset->edit())
            throw SilentAbort(); // refused by the record's own check, which has told the user
    });
    if (!editing && typedInto)
        typedInto->undoTyping();
}

void TDBGridNormal::editorReleased(QWidget* editor)
{
    if (editor == m_editor)
        m_editor = nullptr;
}

void TDBGridNormal::showFieldText(GridCellEditor* editor, const QModelIndex& index) const
{
    if (!m_dataset || !m_dataset->isActive() || !m_model)
        return;
    const int field = m_model->fieldOfColumn(index.column());
    if (field < 0)
        return;
    const QString text = index.row() == m_dataset->currentRow()
                             ? m_dataset->editText(m_dataset->field(field).name)
                             : m_dataset->rowDisplayText(index.row(), field);
    // The typing stays while the field still holds the value it was typed over.
    if (editor->hasTyping() && text == editor->fieldText())
        return;
    editor->showFieldText(text);
}

// The view follows the record source's current record.
void TDBGridNormal::followDataset()
{
    if (m_moving || !m_dataset || !m_model || !m_dataset->isActive())
        return;
    const int row = m_dataset->currentRow();
    if (row < 0)
        return;
    m_moving = true;
    // The record has moved already: the old cell's editor closes without writing.
    if (m_editor && currentIndex().row() != row)
        closeEditor(m_editor, QAbstractItemDelegate::NoHint);
    const int column = std::clamp(currentColumn(), 0, std::max(0, lastColumn()));
    setCurrentIndex(m_model->index(row, column));
    m_moving = false;
    openEditor();
}

void TDBGridNormal::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    editorReleased(editor);
    QTableView::closeEditor(editor, hint);
}

void TDBGridNormal::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (m_moving || !current.isValid() || !m_dataset)
        return;
    // A click on another cell: the record source moves there (posting what
    // was typed) and the editor opens, unless something moved on meanwhile.
    const QPersistentModelIndex clicked = current;
    QMetaObject::invokeMethod(
        this,
        [this, clicked] {
            if (m_dataset && clicked.isValid() && clicked == currentIndex() &&
                (clicked.row() != m_dataset->currentRow() || !m_editor))
                goTo(clicked.row(), clicked.column());
        },
        Qt::QueuedConnection);
}

void TDBGridNormal::openEditor()
{
    if (m_moving || m_editorHidden || !m_editingAllowed || m_rowSelect || !m_model ||
        !currentIndex().isValid() || isColumnReadOnly(currentColumn()) ||
        !(m_model->flags(currentIndex()) & Qt::ItemIsEditable))
        return;
    // Opening an editor takes the focus: it waits until the grid has it.
    if (m_editor || !holdsFocus())
        return;
    if (state() == QAbstractItemView::EditingState)
        setState(QAbstractItemView::NoState); // the last editor went with its row
    edit(currentIndex());
    // The view selects a new editor's text; the grid's editor does not.
    if (m_editor)
        m_editor->placeCaret();
}

void TDBGridNormal::commitCell()
{
    const QPointer<GridCellEditor> editor = m_editor;
    if (!editor || !editor->hasTyping() || !m_dataset || currentIndex().row() != m_dataset->currentRow())
        return;
    const QString field = currentField();
    if (!m_dataset->edit() || !m_dataset->setEditText(field, editor->text()))
        throw SilentAbort(); // refused by the record's own check, which has told the user
    if (editor)
        editor->showFieldText(m_dataset->editText(field));
}

bool TDBGridNormal::commitEditor()
{
    return runGuarded([this] { commitCell(); });
}

bool TDBGridNormal::isUntouchedNewRow() const
{
    return m_dataset && m_dataset->state() == DatasetState::Insert && !m_dataset->isModified() &&
           !(m_editor && m_editor->hasTyping());
}

bool TDBGridNormal::goTo(int row, int column)
{
    if (!m_dataset || !m_model || !commitEditor())
        return false;
    const int from = m_dataset->currentRow();
    bool moved = true;
    m_moving = true;
    if (row != from && m_dataset->isEditing()) {
        // The record is stored (an untouched new one abandoned) before the
        // move; the target is followed through the rows that shift.
        const QPersistentModelIndex target = m_model->index(row, 0);
        moved = runGuarded([&] {
            if (!m_dataset->checkBrowseMode())
                throw SilentAbort();
        });
        row = moved && target.isValid() ? target.row() : m_dataset->currentRow();
    }
    if (m_editor && moved && (row != from || column != currentColumn()))
        closeEditor(m_editor, QAbstractItemDelegate::NoHint);
    if (moved)
        moved = runGuarded([&] {
            if (row != m_dataset->currentRow() && row >= 0 && row < m_dataset->recordCount())
                m_dataset->setRecNo(row + 1);
        });
    const int settledRow = m_dataset->currentRow();
    if (settledRow >= 0)
        setCurrentIndex(m_model->index(settledRow, moved ? std::clamp(column, 0, std::max(0, lastColumn()))
                                                         : currentColumn()));
    m_moving = false;
    openEditor();
    return moved;
}

bool TDBGridNormal::goToRecord(int row)
{
    if (!m_dataset || !m_model)
        return false;
    if (row == m_dataset->currentRow()) {
        if (!commitEditor())
            return false;
        if (!m_dataset->isEditing())
            return goTo(row, currentColumn());
        m_moving = true;
        const bool stored = runGuarded([&] {
            if (!m_dataset->checkBrowseMode())
                throw SilentAbort();
        });
        m_moving = false;
        if (!stored)
            return false;
        row = m_dataset->currentRow(); // where the order put the stored record
    }
    return goTo(row, currentColumn());
}

bool TDBGridNormal::moveRows(int rows)
{
    if (!m_dataset || m_dataset->isEmpty())
        return false;
    const int target = m_dataset->currentRow() + rows;
    if (rows == 1 && target >= m_dataset->recordCount() && m_editingAllowed)
        return appendRow();
    return goToRecord(std::clamp(target, 0, m_dataset->recordCount() - 1));
}

bool TDBGridNormal::appendRow()
{
    if (!commitEditor())
        return false;
    // Already on a new row nobody typed into: that is where a new row would be.
    if (isUntouchedNewRow() && m_dataset->currentRow() == m_dataset->recordCount() - 1)
        return true;
    const int column = currentColumn();
    m_moving = true;
    const bool appended = runGuarded([&] {
        if (!m_dataset->append())
            throw SilentAbort();
    });
    m_moving = false;
    goTo(m_dataset->currentRow(), column);
    return appended;
}

void TDBGridNormal::nextCell()
{
    const int next = steppedColumn(currentColumn(), 1);
    if (next >= 0) {
        goTo(m_dataset->currentRow(), next);
        return;
    }
    // Past the last column: the first column of the next row (as Down then Home).
    if (moveRows(1))
        goTo(m_dataset->currentRow(), std::max(0, firstColumn()));
}

void TDBGridNormal::previousCell()
{
    const int previous = steppedColumn(currentColumn(), -1);
    if (previous >= 0)
        goTo(m_dataset->currentRow(), previous);
    else if (m_dataset->currentRow() > topVisibleRow())
        goTo(m_dataset->currentRow() - 1, std::max(0, finalColumn()));
}

bool TDBGridNormal::runPicker(int column)
{
    const Picker picker = m_pickers.value(fieldOfColumn(column).toLower());
    if (!picker)
        return false;
    runGuarded(picker);
    return true;
}

void TDBGridNormal::typeIntoCell(QKeyEvent* event)
{
    if (!m_editingAllowed || m_rowSelect || !m_dataset) {
        event->ignore();
        return;
    }
    // Typing in an empty grid starts its first row.
    if (m_dataset->isEmpty()) {
        m_moving = true;
        const bool started = runGuarded([&] {
            if (!m_dataset->append())
                throw SilentAbort(); // refused by the record's own check, which has told the user
        });
        m_moving = false;
        if (!started)
            return;
        goTo(m_dataset->currentRow(), std::max(0, firstColumn()));
    }
    m_editorHidden = false; // typing shows the editor again
    openEditor();
    if (!m_editor) {
        dialogs().beep(); // a read-only cell
        return;
    }
    QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text());
    QCoreApplication::sendEvent(m_editor, &copy);
}

void TDBGridNormal::focusLeaving(Qt::FocusReason reason)
{
    // A drop-down or another window taking the focus is not the user leaving.
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
        return;
    QMetaObject::invokeMethod(this, &TDBGridNormal::leftGrid, Qt::QueuedConnection);
}

// The focus went to another control of the window: the typing goes into the
// record (a refused text keeps the focus in its cell) and an untouched new
// row is abandoned.
void TDBGridNormal::leftGrid()
{
    if (holdsFocus() || !m_dataset || !m_dataset->isActive())
        return;
    if (!commitEditor()) {
        if (m_editor)
            m_editor->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!isUntouchedNewRow())
        return;
    m_moving = true;
    if (m_editor)
        closeEditor(m_editor, QAbstractItemDelegate::NoHint);
    runGuarded([&] { m_dataset->cancel(); });
    m_moving = false;
    followDataset();
}

void TDBGridNormal::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    openEditor();
}

void TDBGridNormal::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    focusLeaving(event->reason());
}

void TDBGridNormal::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex target = indexAt(event->position().toPoint());
    // The typing is written before the click moves the cell; a refused text keeps the cell.
    if (target.isValid() && target != currentIndex() && !commitEditor()) {
        // The press gave the grid the focus: it goes back to the caret in the refused text.
        if (m_editor)
            m_editor->setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void TDBGridNormal::rowNumberClicked(int row)
{
    if (!m_dataset || !m_dataset->isActive())
        return;
    goTo(row, currentColumn());
    // The press took the focus from the cell editor, which keeps a refused text.
    if (m_editor && holdsFocus())
        m_editor->setFocus(Qt::MouseFocusReason);
}

void TDBGridNormal::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex target = indexAt(event->position().toPoint());
    if (target.isValid() && m_pickers.contains(fieldOfColumn(target.column()).toLower())) {
        if (goTo(target.row(), target.column()))
            runPicker(target.column());
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

bool TDBGridNormal::handleKey(QKeyEvent* event, bool inEditor)
{
    if (!m_dataset || !m_dataset->isActive() || !m_model)
        return false;
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool plain = mods == 0;
    const bool ctrl = mods == Qt::ControlModifier;
    GridCellEditor* line = inEditor ? m_editor.data() : nullptr;
    const bool allSelected = line && line->isAllSelected();
    const int pageRows = std::max(1, bottomVisibleRow() - topVisibleRow());

    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (mods & Qt::ControlModifier) {
            runPicker(currentColumn()); // Ctrl+Enter is taken in every column
            return true;
        }
        if (!plain)
            return inEditor; // nothing
        if (line)
            line->selectAll();
        nextCell();
        return true;
    case Qt::Key_Right:
        if (m_rowSelect) {
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() + 1);
            return true;
        }
        if (line && !allSelected && !line->isCaretAtEnd())
            return false;
        nextCell();
        return true;
    case Qt::Key_Left:
        if (m_rowSelect) {
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() - 1);
            return true;
        }
        if (line && !allSelected && line->cursorPosition() > 0)
            return false;
        previousCell();
        return true;
    case Qt::Key_Down:
        if (mods & Qt::AltModifier)
            return false; // the pick list's drop-down
        if (ctrl)
            goToRecord(bottomVisibleRow());
        else
            moveRows(1);
        return true;
    case Qt::Key_Up:
        if (mods & Qt::AltModifier)
            return false;
        if (ctrl)
            goToRecord(topVisibleRow());
        else
            moveRows(-1);
        return true;
    case Qt::Key_PageDown:
        if (ctrl)
            goToRecord(bottomVisibleRow());
        else
            goToRecord(std::min(m_dataset->recordCount() - 1, m_dataset->currentRow() + pageRows));
        return true;
    case Qt::Key_PageUp:
        if (ctrl)
            goToRecord(topVisibleRow());
        else
            goToRecord(std::max(0, m_dataset->currentRow() - pageRows));
        return true;
    case Qt::Key_Home:
    case Qt::Key_End: {
        const bool home = event->key() == Qt::Key_Home;
        if (line && (mods & Qt::ShiftModifier))
            return false; // selects inside the cell
        if (ctrl || lastColumn() == 0 || m_rowSelect)
            goToRecord(home ? 0 : m_dataset->recordCount() - 1);
        else
            goTo(m_dataset->currentRow(), std::max(0, home ? firstColumn() : finalColumn()));
        return true;
    }
    case Qt::Key_Tab:
        if (m_rowSelect)
            return false; // a grid of whole rows leaves Tab to the window
        nextCell();
        return true;
    case Qt::Key_Backtab:
        if (m_rowSelect)
            return false;
        if (const int previous = steppedColumn(currentColumn(), -1); previous >= 0)
            goTo(m_dataset->currentRow(), previous);
        else if (m_dataset->currentRow() > 0)
            goTo(m_dataset->currentRow() - 1, std::max(0, finalColumn()));
        return true;
    case Qt::Key_Insert:
        if (!m_editingAllowed || !plain)
            return false;
        if (commitEditor()) {
            m_moving = true;
            const bool inserted = runGuarded([&] {
                if (!m_dataset->insert())
                    throw SilentAbort();
            });
            m_moving = false;
            // A new row is typed from its first cell.
            goTo(m_dataset->currentRow(), inserted ? std::max(0, firstColumn()) : currentColumn());
        }
        return true;
    case Qt::Key_Escape:
        if (m_editor && m_editor->hasTyping()) {
            m_editor->undoTyping();
            return true;
        }
        m_moving = true;
        runGuarded([&] { m_dataset->cancel(); });
        m_moving = false;
        goTo(m_dataset->currentRow(), currentColumn());
        return true;
    case Qt::Key_F2:
        if (m_editor) {
            if (commitEditor()) {
                m_editorHidden = true;
                closeEditor(m_editor, QAbstractItemDelegate::NoHint);
            }
        } else {
            m_editorHidden = false;
            openEditor();
        }
        return true;
    case Qt::Key_Delete:
        if (!ctrl)
            return false;
        // A grid that takes no editing deletes nothing either.
        if (!m_editingAllowed || m_rowSelect)
            return true;
        if (!m_dataset->isEmpty() && (!m_confirmDelete || confirmRecordDelete())) {
            const int column = currentColumn();
            m_moving = true;
            runGuarded([&] { m_dataset->remove(); });
            m_moving = false;
            goTo(m_dataset->currentRow(), column);
        }
        return true;
    default:
        return false;
    }
}

void TDBGridNormal::keyPressEvent(QKeyEvent* event)
{
    if (handleKey(event, false))
        return;
    const bool typed = !event->text().isEmpty() && event->text().at(0).isPrint() &&
                       !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    // The view's own cursor keys would move the cell past the record source.
    if (typed)
        typeIntoCell(event);
    else
        event->ignore();
}
