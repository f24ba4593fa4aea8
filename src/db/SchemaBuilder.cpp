#include "db/SchemaBuilder.h"

#include "core/FolderSync.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/DocumentSearchIndex.h"
#include "db/InitialContents.h"
#include "db/Sql.h"
#include "db/Store.h"
#include "db/TableDefinitions.h"
#include "db/TableIndexes.h"
#include "db/Transaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace SchemaBuilder
{

QString createStatement(const TableDef& table)
{
    QStringList columns;
    for (const FieldDef& f : table.fields) {
        QString column = Sql::quoted(f.name) + QLatin1Char(' ') + TableDefinitions::declaredType(f);
        if (f.required)
            column += QStringLiteral(" NOT NULL");
        if (f.type == FieldType::String)
            column += QStringLiteral(" CHECK (length(%1) <= %2)").arg(Sql::quoted(f.name)).arg(f.size);
        columns << column;
    }
    return QStringLiteral("CREATE TABLE %1 (%2)")
        .arg(Sql::quoted(table.name), columns.join(QStringLiteral(", ")));
}

void createTable(const QSqlDatabase& db, const TableDef& table)
{
    Sql::exec(db, Store::of(db).createTableStatement(table));
    // An autoincrement key is the row identity itself and needs no index.
    const FieldDef* keyField =
        table.primary.fields.size() == 1 ? table.field(table.primary.fields.first()) : nullptr;
    if (!table.primary.fields.isEmpty() && !(keyField && keyField->type == FieldType::AutoInc))
        TableIndexes::add(db, table.name, table.primary);
    for (const IndexDef& index : table.secondary)
        TableIndexes::add(db, table.name, index);
}

void createDatabase(const QString& filePath, int workingYear)
{
    if (QFileInfo::exists(filePath))
        throw DbError(QStringLiteral("Baza de date %1 exista deja").arg(QDir::toNativeSeparators(filePath)));
    const QString partial = filePath + QStringLiteral(".new");
    QFile::remove(partial);
    const QString connectionName = QStringLiteral("LumivaretCreate");
    try {
        {
            QSqlDatabase db = Connection::openNamed(connectionName, partial, true);
            Transaction transaction(db);
            for (const TableDef& table : TableDefinitions::all())
                if (table.createdWithDatabase)
                    createTable(db, table);
            InitialContents::write(db, workingYear);
            DocumentSearchIndex::ensure(db);
            transaction.commit();
        }
        Connection::removeNamed(connectionName);
    } catch (const DbError& e) {
        Connection::removeNamed(connectionName);
        QFile::remove(partial);
        throw DbError(QStringLiteral("Baza de date nu poate fi creata in %1: %2")
                          .arg(QDir::toNativeSeparators(QFileInfo(filePath).absolutePath()), e.text()));
    }
    if (!QFile::rename(partial, filePath)) {
        QFile::remove(partial);
        throw DbError(
            QStringLiteral("Baza de date nu poate fi creata: %1").arg(QDir::toNativeSeparators(filePath)));
    }
    // Otherwise a power loss could undo the rename and leave the parish's
    // first documents in the file the next start takes for a failed creation.
    syncFolder(QFileInfo(filePath).absolutePath());
}

void createServerSchema(const QSqlDatabase& db, const QString& schema, int workingYear)
{
    const Store& store = Store::of(db);
    if (Sql::scalar(db, QStringLiteral("SELECT count(*) FROM information_schema.schemata WHERE schema_name = :s"),
                    {{QStringLiteral(":s"), schema.toLower()}})
            .toInt() > 0)
        throw DbError(QStringLiteral("Schema %1 exista deja pe server").arg(schema.toLower()));
    Transaction transaction(db);
    Sql::exec(db, QStringLiteral("CREATE SCHEMA %1").arg(store.name(schema)));
    store.prepareSchema(db);
    for (const TableDef& table : TableDefinitions::all())
        if (table.createdWithDatabase)
            createTable(db, table);
    InitialContents::write(db, workingYear);
    transaction.commit();
}

} // namespace SchemaBuilder
