#include "db/WorkTable.h"

#include "db/DbError.h"
#include "db/Savepoint.h"
#include "db/SchemaBuilder.h"
#include "db/Sql.h"
#include "db/Store.h"
#include "db/TableDefinitions.h"

namespace
{

// The definition a work table is created from; the snapshot takes the shape of its original.
TableDef definitionOf(const QString& table)
{
    if (table.compare(QStringLiteral("Bilant1"), Qt::CaseInsensitive) == 0) {
        TableDef snapshot = *TableDefinitions::find(QStringLiteral("Bilant"));
        snapshot.name = QStringLiteral("Bilant1");
        return snapshot;
    }
    return *TableDefinitions::find(table);
}

} // namespace

namespace WorkTable
{

const QStringList& names()
{
    static const QStringList tables{QStringLiteral("Registru"), QStringLiteral("Pangar"),
                                    QStringLiteral("Bilant1")};
    return tables;
}

void rebuildEmpty(const QSqlDatabase& db, const QString& table)
{
    const QString name = TableDefinitions::tableNameOf(table);
    if (!names().contains(name, Qt::CaseInsensitive))
        throw DbError(QStringLiteral("Tabela %1 nu este o tabela de lucru si nu poate fi golita").arg(name));
    Savepoint savepoint(db, QStringLiteral("rebuild_work_table"));
    if (!Sql::tableExists(db, name)) {
        SchemaBuilder::createTable(db, definitionOf(name));
    } else {
        if (Store::of(db).isServer()) {
            Sql::exec(db, QStringLiteral("TRUNCATE %1 RESTART IDENTITY").arg(Sql::name(db, name)));
        } else {
            if (Sql::tableExists(db, QStringLiteral("sqlite_sequence")))
                Sql::exec(db, QStringLiteral("DELETE FROM sqlite_sequence WHERE name = :t COLLATE NOCASE"),
                          {{QStringLiteral(":t"), name}});
            Sql::exec(db, QStringLiteral("DELETE FROM %1").arg(Sql::quoted(name)));
        }
    }
    savepoint.release();
}

} // namespace WorkTable
