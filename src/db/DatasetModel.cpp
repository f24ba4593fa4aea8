#include "db/DatasetModel.h"

#include "db/Dataset.h"

DatasetModel::DatasetModel(Dataset* dataset, const QStringList& fields, QObject* parent)
    : QAbstractTableModel(parent), m_dataset(dataset), m_requestedFields(fields)
{
    resolveColumns();
    connect(dataset, &Dataset::rowsReset, this, [this] {
        beginResetModel();
        resolveColumns();
        endResetModel();
    });
    connect(dataset, &Dataset::rowDataChanged, this, [this](int row) {
        if (row >= 0 && row < rowCount() && columnCount() > 0)
            Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
    connect(dataset, &Dataset::rowInserted, this, [this](int row) {
        beginInsertRows({}, row, row);
        endInsertRows();
    });
    connect(dataset, &Dataset::rowRemoved, this, [this](int row) {
        beginRemoveRows({}, row, row);
        endRemoveRows();
    });
}

void DatasetModel::resolveColumns()
{
    m_columns.clear();
    if (!m_dataset || !m_dataset->isActive())
        return;
    if (m_requestedFields.isEmpty()) {
        for (int i = 0; i < m_dataset->fieldCount(); ++i)
            m_columns << i;
        return;
    }
    for (const QString& name : std::as_const(m_requestedFields)) {
        const int f = m_dataset->fieldIndex(name);
        if (f >= 0)
            m_columns << f;
    }
}

void DatasetModel::setColumnTitle(const QString& field, const QString& title)
{
    m_titles.insert(field.toLower(), title);
    if (columnCount() > 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int DatasetModel::fieldOfColumn(int column) const
{
    return column >= 0 && column < m_columns.size() ? m_columns[column] : -1;
}

int DatasetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_dataset || !m_dataset->isActive() ? 0 : m_dataset->recordCount();
}

int DatasetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !m_dataset)
        return {};
    const int field = fieldOfColumn(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return m_dataset->rowDisplayText(index.row(), field);
    case Qt::EditRole:
        return m_dataset->rowValue(index.row(), field);
    case Qt::TextAlignmentRole: {
        const FieldType type = m_dataset->field(field).type;
        const bool number = type != FieldType::String && type != FieldType::Date;
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    default:
        return {};
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || !m_dataset)
        return QAbstractTableModel::headerData(section, orientation, role);
    const int field = fieldOfColumn(section);
    if (field < 0)
        return {};
    const QString name = m_dataset->field(field).name;
    return m_titles.value(name.toLower(), name);
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    const int field = fieldOfColumn(index.column());
    if (m_dataset && field >= 0 && !m_dataset->field(field).calculated &&
        m_dataset->field(field).type != FieldType::AutoInc)
        f |= Qt::ItemIsEditable;
    return f;
}

bool DatasetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !m_dataset)
        return false;
    if (m_dataset->currentRow() != index.row())
        m_dataset->setRecNo(index.row() + 1);
    if (m_dataset->currentRow() != index.row() || !m_dataset->edit())
        return false;
    const QString field = m_dataset->field(fieldOfColumn(index.column())).name;
    return value.typeId() == QMetaType::QString ? m_dataset->setEditText(field, value.toString())
                                                : m_dataset->setValue(field, value);
}
