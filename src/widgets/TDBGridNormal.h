#pragma once

#include <QHash>
#include <QLineEdit>
#include <QPointer>
#include <QSet>
#include <QTableView>
#include <functional>

class Dataset;
class DatasetModel;
class GridCellEditor;

// Record grid with in-cell editing, the cell editor always shown, and the
// data-entry keys: Enter and Right move to the next cell and on to the next
// row, Down below the last row appends a record, Insert inserts one (typed
// from its first column), Escape undoes the cell and then the record, Ctrl+Delete deletes after a
// question (only while editing is allowed). The grid's current row is the record source's current record.
//
// Every cell, whatever its field's type, is edited as text and read back
// through the field's own text rules (a date through the date inputs' mask,
// typed over in place); a text the field refuses keeps the editor open with
// what was typed. An untouched new row is abandoned when
// the user moves off it or leaves the grid. The editor opens on the current
// cell while the grid has the focus, so a record moved from elsewhere does
// not pull the focus into the grid.
class TDBGridNormal : public QTableView
{
    Q_OBJECT
public:
    using Picker = std::function<void()>;

    explicit TDBGridNormal(QWidget* parent = nullptr);

    // Shows the dataset's fields (all of them when `fields` is empty).
    void bind(Dataset* dataset, const QStringList& fields = {});
    Dataset* dataset() const { return m_dataset; }
    DatasetModel* datasetModel() const { return m_model; }

    void setEditingAllowed(bool allowed);
    bool editingAllowed() const { return m_editingAllowed; }
    void setRowSelect(bool rowSelect);
    // Ctrl+Delete asks before deleting (on by default); a window that asks
    // its own question in the dataset's beforeDelete turns it off.
    void setDeleteConfirmation(bool confirm) { m_confirmDelete = confirm; }

    // Column settings, by field name; they may be given before or after bind.
    // A read-only column has no editor and the keys step over it.
    void setColumnReadOnly(const QString& field, bool readOnly = true);
    // The cell editor offers these values as a drop-down completion.
    void setColumnPickList(const QString& field, const QStringList& values);
    // Ctrl+Enter in the column, or a double-click on one of its cells, runs
    // the picker (usually a selection window that sets the field).
    void setColumnPicker(const QString& field, Picker picker);

    // Makes the column of the field the current one.
    void selectField(const QString& field);
    int currentColumn() const { return currentIndex().isValid() ? currentIndex().column() : 0; }
    QString currentField() const { return fieldOfColumn(currentColumn()); }
    QLineEdit* cellEditor() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    friend class GridCellDelegate;
    void editorCreated(GridCellEditor* editor);
    void editorReleased(QWidget* editor);
    // The first key typed into a cell puts its record into editing, as typing
    // into a bound input does: whatever stores the record being edited (a
    // window's confirming button, a move) then takes the cell's text too. A
    // record that cannot be edited takes the typing back.
    void typingBegan(GridCellEditor* editor);
    void showFieldText(GridCellEditor* editor, const QModelIndex& index) const;
    // Runs one navigation or record key; true when it was one.
    bool handleKey(QKeyEvent* event, bool inEditor);
    // Writes the cell's typing into the record: throws DbError for a text the
    // field cannot read and SilentAbort when its check refused the value.
    void commitCell();
    // The same, showing the error; false when the text was refused.
    bool commitEditor();
    bool isUntouchedNewRow() const;
    // Moves to a cell, storing the record first when the row changes; false
    // when the record or the typing was refused and the cell stayed.
    bool goTo(int row, int column);
    // The keys that move between records: the record being edited is stored
    // even when there is no other record to go to (at the top or the bottom).
    bool goToRecord(int row);
    void followDataset();
    void nextCell();
    void previousCell();
    bool moveRows(int rows);
    bool appendRow();
    void openEditor();
    void typeIntoCell(QKeyEvent* event);
    bool runPicker(int column);
    // A click on a row's number: that row, in the current column.
    void rowNumberClicked(int row);
    void focusLeaving(Qt::FocusReason reason);
    void leftGrid();
    bool holdsFocus() const;
    int topVisibleRow() const;
    int bottomVisibleRow() const;
    int lastColumn() const;
    // The next column in `step` direction the keys stop in; -1 when none.
    int steppedColumn(int from, int step) const;
    int firstColumn() const { return steppedColumn(-1, 1); }
    int finalColumn() const { return steppedColumn(lastColumn() + 1, -1); }
    QString fieldOfColumn(int column) const;
    bool isColumnReadOnly(int column) const;
    bool isDateColumn(int column) const;

    QPointer<Dataset> m_dataset;
    DatasetModel* m_model = nullptr;
    QPointer<GridCellEditor> m_editor;
    bool m_editingAllowed = true;
    bool m_rowSelect = false;
    bool m_confirmDelete = true;
    bool m_moving = false;
    bool m_editorHidden = false;    // by F2
    QSet<QString> m_readOnlyFields; // lower-case field names
    QHash<QString, QStringList> m_pickLists;
    QHash<QString, Picker> m_pickers;
};
