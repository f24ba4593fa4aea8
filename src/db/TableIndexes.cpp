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
    // The server holds only the indexes the definitions make.
    if (Store::of(db).isServer())
        return result;
    const QString prefix = table + QLatin1Char('_');
    QStringList names;
    {
        QSqlQuery list = Sql::exec(db, QStringLiteral("PRAGMA index_list(%1)").arg(Sql::quoted(table)));
        while (list.next())
            names << list.value(1).toString();
    }
    for (const QString& sqlName : names) {
        if (!sqlName.startsWith(prefix, Qt::CaseInsensitive))
            continue;
        IndexDef index{sqlName.mid(prefix.size()), {}, false, false};
        QSqlQuery info = Sql::exec(db, QStringLiteral("PRAGMA index_xinfo(%1)").arg(Sql::quoted(sqlName)));
        bool plainColumns = true;
        while (info.next()) {
            if (info.value(5).toInt() == 0) // auxiliary columns (rowid)
                continue;
            if (info.value(1).toInt() < 0) {
                plainColumns = false; // an expression key: its definition says what it is
                break;
            }
            index.fields << info.value(2).toString();
            if (info.value(4).toString().compare(QLatin1String("BINARY"), Qt::CaseInsensitive) != 0)
                index.caseInsensitive = true;
        }
        if (plainColumns && !index.fields.isEmpty())
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
