#include "db/TableIndexes.h"

#include "db/Sql.h"
#include "db/Store.h"

namespace TableIndexes
{

namespace
{

// Plain column indexes read back from the database ("<table>_<name>").
QList<IndexDef> storedIndexes(const QSqlDatabase& db, const QString& table)
{
    QList<IndexDef> result;
    const QString prefix = table + QLatin1Char('_');
    for (IndexDef index : Store::of(db).plainIndexes(db, table)) {
        if (!index.name.startsWith(prefix, Qt::CaseInsensitive))
            continue;
        index.name = index.name.mid(prefix.size());
        result << index;
    }
    return result;
}

QList<IndexDef> allIndexes(const QSqlDatabase& db, const QString& table)
{
    QList<IndexDef> result;
    if (const TableDef* def = TableDefinitions::find(table)) {
        if (!def->primary.fields.isEmpty())
            result << def->primary;
        result << def->secondary;
    }
    for (const IndexDef& stored : storedIndexes(db, table)) {
        bool known = false;
        for (const IndexDef& i : result)
            known = known || i.name.compare(stored.name, Qt::CaseInsensitive) == 0;
        if (!known)
            result << stored;
    }
    return result;
}

} // namespace

std::optional<IndexDef> find(const QSqlDatabase& db, const QString& table, const QString& name)
{
    if (name.isEmpty()) {
        const TableDef* def = TableDefinitions::find(table);
        if (def && !def->primary.fields.isEmpty())
            return def->primary;
        return std::nullopt;
    }
    for (const IndexDef& index : allIndexes(db, table))
        if (index.name.compare(name, Qt::CaseInsensitive) == 0)
            return index;
    return std::nullopt;
}

std::optional<IndexDef> findByFields(const QSqlDatabase& db, const QString& table, const QStringList& fields)
{
    for (const IndexDef& index : allIndexes(db, table)) {
        if (index.fields.size() != fields.size())
            continue;
        bool same = true;
        for (int i = 0; i < fields.size(); ++i)
            same = same && index.fields[i].compare(fields[i], Qt::CaseInsensitive) == 0;
        if (same)
            return index;
    }
    return std::nullopt;
}

void add(const QSqlDatabase& db, const QString& table, const IndexDef& index)
{
    Sql::exec(db, Store::of(db).createIndexStatement(table, index));
}

void drop(const QSqlDatabase& db, const QString& table, const QString& name)
{
    Sql::exec(db, QStringLiteral("DROP INDEX IF EXISTS %1")
                      .arg(Store::of(db).name(TableDefinitions::sqlIndexName(table, name))));
}

} // namespace TableIndexes
