#include "widgets/TDBGridNormal.h"

#include "core/ErrorGuard.h"
#include "core/UserDialogs.h"
#include "db/Dataset.h"
#include "db/DatasetModel.h"
#include "widgets/ConfirmDelete.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyledItemDelegate>

// Creates the cell editors; the grid takes their keys before the delegate's
// own handling (which would commit and close the editor on Enter and Tab).
class GridCellDelegate : public QStyledItemDelegate
{
public:
    explicit GridCellDelegate(TDBGridNormal* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        m_grid->editorCreated(editor);
        return editor;
    }

    bool eventFilter(QObject* editor, QEvent* event) override
    {
        if (editor == m_grid->m_editor && event->type() == QEvent::KeyPress &&
            m_grid->handleKey(static_cast<QKeyEvent*>(event), true))
            return true;
        return QStyledItemDelegate::eventFilter(editor, event);
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        // The editor shows the value as it is typed (edit format), not its display text.
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            const Dataset* ds = m_grid->dataset();
            const int field = m_grid->datasetModel()->fieldOfColumn(index.column());
            const QVariant value = ds->rowValue(index.row(), field);
            QString text = ds->rowDisplayText(index.row(), field);
            if (ds->currentRow() == index.row())
                text = ds->editText(ds->field(field).name);
            line->setText(value.isNull() ? QString() : text);
            line->setModified(false);
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            // Qt commits editors on many occasions; only typing edits the record.
            if (line->isModified())
                model->setData(index, line->text(), Qt::EditRole);
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }

private:
    TDBGridNormal* m_grid;
};

TDBGridNormal::TDBGridNormal(QWidget* parent) : QTableView(parent)
{
    setItemDelegate(new GridCellDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setTabKeyNavigation(false); // Tab is handled with the other keys
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionsMovable(false);
}

void TDBGridNormal::bind(Dataset* dataset, const QStringList& fields)
{
    if (m_dataset)
        disconnect(m_dataset, nullptr, this, nullptr);
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
            commitEditor();
    });
    followDataset();
}

void TDBGridNormal::setEditingAllowed(bool allowed)
{
    m_editingAllowed = allowed;
    setEditTriggers(allowed ? QAbstractItemView::AllEditTriggers : QAbstractItemView::NoEditTriggers);
}

void TDBGridNormal::setRowSelect(bool rowSelect)
{
    m_rowSelect = rowSelect;
    setSelectionBehavior(rowSelect ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void TDBGridNormal::selectField(const QString& field)
{
    if (!m_model || !m_dataset)
        return;
    for (int column = 0; column < m_model->columnCount(); ++column)
        if (m_dataset->field(m_model->fieldOfColumn(column)).name.compare(field, Qt::CaseInsensitive) == 0)
            goTo(m_dataset->currentRow(), column);
}

int TDBGridNormal::lastColumn() const
{
    return m_model ? m_model->columnCount() - 1 : 0;
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

void TDBGridNormal::editorCreated(QWidget* editor)
{
    m_editor = editor;
}

// The view follows the record source's current record.
void TDBGridNormal::followDataset()
{
    if (m_moving || !m_dataset || !m_model || !m_dataset->isActive())
        return;
    const int row = m_dataset->currentRow();
    if (row < 0)
        return;
    // The record has moved already: the old cell's editor closes without writing.
    if (m_editor && currentIndex().row() != row)
        closeEditor(m_editor, QAbstractItemDelegate::NoHint);
    m_moving = true;
    const int column = std::clamp(currentColumn(), 0, std::max(0, lastColumn()));
    setCurrentIndex(m_model->index(row, column));
    m_moving = false;
    openEditor();
}

void TDBGridNormal::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (editor == m_editor)
        m_editor = nullptr;
    QTableView::closeEditor(editor, hint);
}

void TDBGridNormal::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (m_moving || !current.isValid() || !m_dataset || current.row() == m_dataset->currentRow())
        return;
    // A click on another row: the record source moves there (posting what was typed).
    const int column = current.column();
    const int row = current.row();
    QMetaObject::invokeMethod(
        this, [this, row, column] { goTo(row, column); }, Qt::QueuedConnection);
}

void TDBGridNormal::openEditor()
{
    if (!m_editingAllowed || m_rowSelect || !currentIndex().isValid() ||
        !(m_model->flags(currentIndex()) & Qt::ItemIsEditable))
        return;
    if (state() != QAbstractItemView::EditingState || !m_editor)
        edit(currentIndex());
    // The cell editor does not select its text: the caret goes to the end.
    if (auto* line = qobject_cast<QLineEdit*>(m_editor.data())) {
        line->deselect();
        line->end(false);
    }
}

bool TDBGridNormal::commitEditor()
{
    auto* line = qobject_cast<QLineEdit*>(m_editor.data());
    if (!line || !line->isModified())
        return true;
    bool ok = false;
    runGuarded([&] {
        itemDelegate()->setModelData(line, m_model, currentIndex());
        line->setModified(false);
        ok = true;
    });
    return ok;
}

void TDBGridNormal::goTo(int row, int column)
{
    if (!m_dataset || !m_model || !commitEditor())
        return;
    if (m_editor)
        closeEditor(m_editor, QAbstractItemDelegate::NoHint);
    m_moving = true;
    runGuarded([&] {
        if (row != m_dataset->currentRow() && row >= 0 && row < m_dataset->recordCount())
            m_dataset->setRecNo(row + 1);
    });
    m_moving = false;
    const int settledRow = m_dataset->currentRow();
    if (settledRow < 0)
        return;
    m_moving = true;
    setCurrentIndex(m_model->index(settledRow, std::clamp(column, 0, std::max(0, lastColumn()))));
    m_moving = false;
    openEditor();
}

void TDBGridNormal::moveRows(int rows)
{
    if (!m_dataset || m_dataset->isEmpty())
        return;
    const int current = m_dataset->currentRow();
    const int target = current + rows;
    if (rows > 0 && target >= m_dataset->recordCount()) {
        // Below the last record a new one is appended.
        if (rows == 1 && m_editingAllowed && commitEditor()) {
            const int column = currentColumn();
            runGuarded([&] {
                if (m_dataset->state() != DatasetState::Insert || m_dataset->isModified())
                    m_dataset->append();
            });
            goTo(m_dataset->currentRow(), column);
            return;
        }
        goTo(m_dataset->recordCount() - 1, currentColumn());
        return;
    }
    goTo(std::max(0, target), currentColumn());
}

void TDBGridNormal::nextCell()
{
    if (currentColumn() < lastColumn()) {
        goTo(m_dataset->currentRow(), currentColumn() + 1);
        return;
    }
    // In the last column: the first column of the next row (as Down then Home).
    const int row = m_dataset->currentRow();
    moveRows(1);
    if (m_dataset->currentRow() != row || m_dataset->state() == DatasetState::Insert)
        goTo(m_dataset->currentRow(), 0);
}

void TDBGridNormal::previousCell()
{
    if (currentColumn() > 0) {
        goTo(m_dataset->currentRow(), currentColumn() - 1);
        return;
    }
    if (m_dataset->currentRow() > topVisibleRow())
        goTo(m_dataset->currentRow() - 1, lastColumn());
}

bool TDBGridNormal::handleKey(QKeyEvent* event, bool inEditor)
{
    if (!m_dataset || !m_dataset->isActive() || !m_model)
        return false;
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool plain = mods == 0;
    const bool ctrl = mods == Qt::ControlModifier;
    auto* line = qobject_cast<QLineEdit*>(m_editor.data());
    const bool allSelected = line && line->hasSelectedText() && line->selectedText() == line->text();
    const int pageRows = std::max(1, bottomVisibleRow() - topVisibleRow());

    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
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
        if (inEditor && line && !allSelected && line->cursorPosition() < line->text().size())
            return false;
        nextCell();
        return true;
    case Qt::Key_Left:
        if (m_rowSelect) {
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() - 1);
            return true;
        }
        if (inEditor && line && !allSelected && line->cursorPosition() > 0)
            return false;
        previousCell();
        return true;
    case Qt::Key_Down:
        if (ctrl)
            goTo(bottomVisibleRow(), currentColumn());
        else
            moveRows(1);
        return true;
    case Qt::Key_Up:
        if (ctrl)
            goTo(topVisibleRow(), currentColumn());
        else
            moveRows(-1);
        return true;
    case Qt::Key_PageDown:
        if (ctrl)
            goTo(bottomVisibleRow(), currentColumn());
        else
            goTo(std::min(m_dataset->recordCount() - 1, m_dataset->currentRow() + pageRows), currentColumn());
        return true;
    case Qt::Key_PageUp:
        if (ctrl)
            goTo(topVisibleRow(), currentColumn());
        else
            goTo(std::max(0, m_dataset->currentRow() - pageRows), currentColumn());
        return true;
    case Qt::Key_Home:
    case Qt::Key_End: {
        const bool home = event->key() == Qt::Key_Home;
        if (ctrl || lastColumn() == 0 || m_rowSelect) {
            goTo(home ? 0 : m_dataset->recordCount() - 1, currentColumn());
            return true;
        }
        if (inEditor)
            return false; // the caret moves inside the cell
        goTo(m_dataset->currentRow(), home ? 0 : lastColumn());
        return true;
    }
    case Qt::Key_Tab:
        nextCell();
        return true;
    case Qt::Key_Backtab:
        if (currentColumn() > 0)
            goTo(m_dataset->currentRow(), currentColumn() - 1);
        else if (m_dataset->currentRow() > 0)
            goTo(m_dataset->currentRow() - 1, lastColumn());
        return true;
    case Qt::Key_Insert:
        if (!m_editingAllowed || !plain)
            return false;
        if (commitEditor()) {
            const int column = currentColumn();
            runGuarded([&] { m_dataset->insert(); });
            goTo(m_dataset->currentRow(), column);
        }
        return true;
    case Qt::Key_Escape:
        if (line && line->isModified()) {
            itemDelegate()->setEditorData(line, currentIndex()); // undo the typing in the cell
            return true;
        }
        runGuarded([&] { m_dataset->cancel(); });
        goTo(m_dataset->currentRow(), currentColumn());
        return true;
    case Qt::Key_F2:
        if (m_editor) {
            if (commitEditor())
                closeEditor(m_editor, QAbstractItemDelegate::NoHint);
        } else {
            openEditor();
        }
        return true;
    case Qt::Key_Delete:
        if (!ctrl)
            return false;
        if (!m_dataset->isEmpty() && confirmRecordDelete()) {
            const int column = currentColumn();
            runGuarded([&] { m_dataset->remove(); });
            goTo(m_dataset->currentRow(), column);
        }
        return true;
    default:
        return false;
    }
}

void TDBGridNormal::keyPressEvent(QKeyEvent* event)
{
    if (!handleKey(event, false))
        QTableView::keyPressEvent(event);
}
