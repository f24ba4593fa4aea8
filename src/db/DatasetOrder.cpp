// The orders and searches of a record source: the active order (a named
// index or a list of fields) applied to the rows in memory through RowOrder,
// and the searches that run on it.

#include "db/Dataset.h"

#include "db/DbError.h"
#include "db/TableIndexes.h"

#include <algorithm>
#include <optional>

QList<OrderColumn> Dataset::orderFor(const IndexDef& index) const
{
    QList<OrderColumn> order;
    for (const QString& name : index.fields) {
        const int f = fieldIndex(name);
        if (f < 0)
            throw DbError(QStringLiteral("Campul %1 al indexului nu exista in tabela %2").arg(name, m_table));
        order.append({f, m_fields[f].type, index.caseInsensitive});
    }
    return order;
}

bool Dataset::setIndexName(const QString& name)
{
    if (isActive() && !checkBrowseMode())
        return false; // the refused edits stay where they are, in the old order
    m_indexName = name;
    m_indexFieldNames.clear();
    if (m_fields.isEmpty() || m_storedFieldCount == 0)
        return true; // resolved at open
    const QSqlDatabase db = m_store.database();
    const std::optional<IndexDef> index = TableIndexes::find(db, m_table, name);
    if (!index && !name.isEmpty())
        throw DbError(QStringLiteral("Indexul %1 nu exista in tabela %2").arg(name, m_table));
    applyOrder(index ? orderFor(*index) : QList<OrderColumn>{});
    return true;
}

bool Dataset::setIndexFieldNames(const QString& fields)
{
    if (isActive() && !checkBrowseMode())
        return false;
    m_indexFieldNames = splitFields(fields);
    m_indexName.clear();
    if (m_fields.isEmpty() || m_storedFieldCount == 0)
        return true;
    const QSqlDatabase db = m_store.database();
    const std::optional<IndexDef> index = TableIndexes::findByFields(db, m_table, m_indexFieldNames);
    IndexDef order{QString(), m_indexFieldNames, false, index && index->caseInsensitive};
    applyOrder(orderFor(order));
    return true;
}

QStringList Dataset::orderFields() const
{
    QStringList names;
    for (const OrderColumn& c : m_order)
        names << m_fields[c.field].name;
    return names;
}

void Dataset::applyOrder(const QList<OrderColumn>& order)
{
    m_order = order;
    if (!isActive())
        return;
    const qint64 currentId = m_current >= 0 ? m_rows[m_current].rowid : 0;
    sortRows();
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].rowid == currentId)
            m_current = i;
    Q_EMIT rowsReset();
    scrolled();
}

int Dataset::compareRows(const Row& a, const Row& b) const
{
    for (const OrderColumn& c : m_order)
        if (const int r = RowOrder::compareValues(cellOf(a, c.field), cellOf(b, c.field), c.type, c.caseInsensitive);
            r != 0)
            return r;
    return RowOrder::compareRowIds(a.rowid, b.rowid);
}

void Dataset::sortRows()
{
    if (m_order.isEmpty())
        return; // rows come in row-identity order
    const std::vector<qsizetype> permutation = RowOrder::sorted(
        m_rows.size(), m_order, [this](qsizetype row, int field) { return cellOf(m_rows[row], field); },
        [this](qsizetype row) { return m_rows[row].rowid; });
    QList<Row> sorted;
    sorted.reserve(m_rows.size());
    for (const qsizetype r : permutation)
        sorted.append(std::move(m_rows[r]));
    m_rows = std::move(sorted);
}

// The searched values read as the types of the active order's fields.
QVariantList Dataset::convertedKey(const QVariantList& key) const
{
    if (m_order.isEmpty())
        throw DbError(QStringLiteral("Tabela %1 nu are un index activ pentru cautare").arg(m_table));
    QVariantList converted;
    for (int i = 0; i < key.size() && i < m_order.size(); ++i)
        converted << FieldValue::read(key[i], m_fields[m_order[i].field]);
    return converted;
}

int Dataset::compareKey(const Row& row, const QVariantList& key) const
{
    for (int i = 0; i < key.size() && i < m_order.size(); ++i) {
        const OrderColumn& c = m_order[i];
        const int r = RowOrder::compareValues(cellOf(row, c.field), key[i], c.type, c.caseInsensitive);
        if (r != 0)
            return r;
    }
    return 0;
}

int Dataset::lowerBound(const QVariantList& key) const
{
    const auto it = std::partition_point(m_rows.begin(), m_rows.end(),
                                         [&](const Row& row) { return compareKey(row, key) < 0; });
    return int(it - m_rows.begin());
}

bool Dataset::findKey(const QVariantList& values)
{
    requireActive();
    if (!checkBrowseMode())
        return false;
    const QVariantList key = convertedKey(values);
    const int position = lowerBound(key);
    if (position >= m_rows.size() || compareKey(m_rows[position], key) != 0)
        return false;
    moveTo(position);
    return true;
}

void Dataset::findNearest(const QVariantList& values)
{
    requireActive();
    if (!checkBrowseMode())
        return;
    if (m_rows.isEmpty())
        return;
    moveTo(std::min(lowerBound(convertedKey(values)), int(m_rows.size()) - 1));
}

bool Dataset::locate(const QString& fields, const QVariantList& values, LocateOptions options)
{
    requireActive();
    const QStringList names = splitFields(fields);
    QList<int> indexes;
    for (const QString& n : names)
        indexes << requireField(n);
    if (indexes.size() != values.size())
        throw DbError(
            QStringLiteral("Cautare cu %1 campuri si %2 valori").arg(indexes.size()).arg(values.size()));
    if (!checkBrowseMode())
        return false;
    // The searched values are read once, not again at every row.
    QVariantList wanted;
    for (int i = 0; i < indexes.size(); ++i)
        wanted << FieldValue::read(values[i], m_fields[indexes[i]]);
    for (int row = 0; row < m_rows.size(); ++row) {
        bool match = true;
        for (int i = 0; i < indexes.size() && match; ++i)
            match = RowOrder::matches(cellOf(m_rows[row], indexes[i]), wanted[i], m_fields[indexes[i]].type, options);
        if (match) {
            moveTo(row);
            return true;
        }
    }
    return false;
}

qint64 Dataset::currentRowId() const
{
    return m_current >= 0 && m_current < m_rows.size() ? m_rows[m_current].rowid : 0;
}

bool Dataset::locateRowId(qint64 rowid)
{
    requireActive();
    if (!checkBrowseMode())
        return false;
    const int row = rowWithId(rowid);
    if (row < 0)
        return false;
    moveTo(row);
    return true;
}

int Dataset::positionFor(const Row& row) const
{
    if (m_order.isEmpty()) {
        // Row-identity order: a new row goes after every stored one.
        const auto it = std::partition_point(m_rows.begin(), m_rows.end(),
                                             [&](const Row& r) { return r.rowid < row.rowid; });
        return int(it - m_rows.begin());
    }
    const auto it = std::partition_point(m_rows.begin(), m_rows.end(),
                                         [&](const Row& r) { return compareRows(r, row) < 0; });
    return int(it - m_rows.begin());
}
