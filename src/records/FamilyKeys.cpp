#include "records/FamilyKeys.h"

#include "db/DbError.h"
#include "db/Sql.h"
#include "db/TableDefinitions.h"
#include "db/TableIndexes.h"
#include "db/Transaction.h"

#include <QSqlQuery>

namespace FamilyKeys
{

namespace
{

const QString codeField = QStringLiteral("Cod_enorias");

// Whether the unique index has the code as its one key column, plain or as
// the empty-means-missing expression the program writes for unique keys.
bool keysOnCodeAlone(const QSqlDatabase& db, const QString& sqlIndex)
{
    QStringList columns;
    bool expression = false;
    QSqlQuery info = Sql::exec(db, QStringLiteral("PRAGMA index_xinfo(%1)").arg(Sql::quoted(sqlIndex)));
    while (info.next()) {
        if (info.value(5).toInt() == 0)
            continue; // the rowid after the key columns
        expression = expression || info.value(1).toInt() < 0;
        columns << info.value(2).toString();
    }
    if (columns.size() != 1)
        return false;
    if (!expression)
        return columns.first().compare(codeField, Qt::CaseInsensitive) == 0;
    QSqlQuery sql = Sql::execPositional(
        db, QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'index' AND name = ?"), {sqlIndex});
    return sql.next() && sql.value(0).toString().contains(codeField, Qt::CaseInsensitive);
}

QStringList singleCodeKeys(const QSqlDatabase& db, const QString& table)
{
    QStringList found;
    QSqlQuery list = Sql::exec(db, QStringLiteral("PRAGMA index_list(%1)").arg(Sql::quoted(table)));
    QList<std::pair<QString, bool>> indexes;
    while (list.next())
        indexes.append({list.value(1).toString(), list.value(2).toInt() != 0});
    for (const auto& [name, unique] : indexes)
        if (unique && keysOnCodeAlone(db, name))
            found << name;
    return found;
}

} // namespace

bool widenSingleCodeKey(const QSqlDatabase& db, const QString& table)
{
    const TableDef* definition = TableDefinitions::find(table);
    if (!definition || definition->primary.fields.isEmpty())
        throw DbError(QStringLiteral("Tabela %1 nu are cheie definita").arg(table));
    const QStringList oldKeys = singleCodeKeys(db, table);
    if (oldKeys.isEmpty())
        return false;
    // Without the old key and before the new one the table would take anything: both or neither.
    Transaction transaction(db);
    for (const QString& sqlIndex : oldKeys)
        Sql::exec(db, QStringLiteral("DROP INDEX %1").arg(Sql::quoted(sqlIndex)));
    TableIndexes::add(db, table, definition->primary);
    transaction.commit();
    return true;
}

void widenFamilyKeys(const QSqlDatabase& db)
{
    widenSingleCodeKey(db, QStringLiteral("MembriiFam"));
    widenSingleCodeKey(db, QStringLiteral("Inmormantari"));
}

} // namespace FamilyKeys
