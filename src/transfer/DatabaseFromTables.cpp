#include "transfer/DatabaseFromTables.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/DocumentSearchIndex.h"
#include "db/SchemaBuilder.h"
#include "db/Sql.h"
#include "db/SqliteHandle.h"
#include "db/TableDefinitions.h"
#include "db/Transaction.h"
#include "journal/ChangeJournal.h"
#include "transfer/ImportError.h"
#include "transfer/TableImport.h"

#include <QDir>
#include <QFile>
#include <unistd.h>

QHash<QString, QString> tableFilesIn(const QString& folder)
{
    QHash<QString, QString> files;
    const QStringList names = QDir(folder).entryList(QDir::Files);
    for (const QString& name : names)
        if (name.endsWith(QLatin1String(".DB"), Qt::CaseInsensitive))
            files.insert(TableDefinitions::tableNameOf(name).toLower(), name);
    return files;
}

namespace
{

// Written without waiting for the disk, the file is flushed once when complete,
// before it can replace the database in use.
void flushToDisk(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly) || ::fsync(f.handle()) != 0)
        throw ImportError(
            QStringLiteral("Fisierul %1 nu poate fi scris pe disc.").arg(QDir::toNativeSeparators(file)));
}

} // namespace

QList<TableSummary> buildDatabaseFromTables(const QString& folder, const QString& databaseFile)
{
    const QHash<QString, QString> files = tableFilesIn(folder);
    const QString connectionName = QStringLiteral("LumivaretImport");
    QList<TableSummary> summaries;
    try {
        {
            QSqlDatabase db = Connection::openNamed(connectionName, databaseFile, true);
            // A file under a temporary name needs no journal: a failure discards it whole.
            Sql::exec(db, QStringLiteral("PRAGMA journal_mode = OFF"));
            Sql::exec(db, QStringLiteral("PRAGMA synchronous = OFF"));
            Transaction transaction(db);
            for (const TableDef& table : TableDefinitions::all()) {
                SchemaBuilder::createTable(db, table);
                const QString file = files.value(table.name.toLower());
                if (!file.isEmpty())
                    summaries << importTable(QDir(folder).filePath(file), table, sqliteHandle(db));
            }
            // The index is made from the imported documents, once, after them.
            DocumentSearchIndex::ensure(db);
            // The rows brought in are the journal's starting point, at the database's first opening.
            ChangeJournal::noteStart(db, QStringLiteral("Datele au fost aduse din tabelele programului vechi; "
                                                        "jurnalul modificarilor incepe aici."));
            transaction.commit();
        }
        Connection::removeNamed(connectionName);
        flushToDisk(databaseFile);
    } catch (const DbError& e) {
        Connection::removeNamed(connectionName);
        throw ImportError(QStringLiteral("Baza de date %1 nu poate fi construita: %2")
                              .arg(QDir::toNativeSeparators(databaseFile), e.text()));
    } catch (...) {
        Connection::removeNamed(connectionName);
        throw;
    }
    return summaries;
}
