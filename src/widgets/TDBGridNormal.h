#pragma once

#include <QPointer>
#include <QTableView>

class Dataset;
class DatasetModel;

// Record grid with in-cell editing, the cell editor always shown, and the
// data-entry keys: Enter and Right move to the next cell and on to the next
// row, Down below the last row appends a record, Insert inserts one,
// Escape undoes the cell and then the record, Ctrl+Delete deletes after a
// question. The grid's current row is the record source's current record.
class TDBGridNormal : public QTableView
{
    Q_OBJECT
public:
    explicit TDBGridNormal(QWidget* parent = nullptr);

    // Shows the dataset's fields (all of them when `fields` is empty).
    void bind(Dataset* dataset, const QStringList& fields = {});
    Dataset* dataset() const { return m_dataset; }
    DatasetModel* datasetModel() const { return m_model; }

    void setEditingAllowed(bool allowed);
    bool editingAllowed() const { return m_editingAllowed; }
    void setRowSelect(bool rowSelect);

    // Makes the column of the field the current one.
    void selectField(const QString& field);
    int currentColumn() const { return currentIndex().isValid() ? currentIndex().column() : 0; }
    QWidget* cellEditor() const { return m_editor; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    friend class GridCellDelegate;
    void editorCreated(QWidget* editor);
    // Runs one navigation or record key; true when it was one.
    bool handleKey(QKeyEvent* event, bool inEditor);
    bool commitEditor();
    void goTo(int row, int column);
    void followDataset();
    void nextCell();
    void previousCell();
    void moveRows(int rows);
    void openEditor();
    int topVisibleRow() const;
    int bottomVisibleRow() const;
    int lastColumn() const;

    QPointer<Dataset> m_dataset;
    DatasetModel* m_model = nullptr;
    QPointer<QWidget> m_editor;
    bool m_editingAllowed = true;
    bool m_rowSelect = false;
    bool m_moving = false;
};
