#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QStringList>

class Dataset;

// Shows a dataset in a grid: one row per record, one column per chosen field,
// cells in their display format. Editing a cell edits the dataset's record.
class DatasetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // `fields` lists the columns to show; empty: every field.
    explicit DatasetModel(Dataset* dataset, const QStringList& fields = {}, QObject* parent = nullptr);

    void setColumnTitle(const QString& field, const QString& title);
    int fieldOfColumn(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    void resolveColumns();

    QPointer<Dataset> m_dataset;
    QStringList m_requestedFields;
    QList<int> m_columns;
    QHash<QString, QString> m_titles;
};
