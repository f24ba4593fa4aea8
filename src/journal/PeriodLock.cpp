#include "journal/PeriodLock.h"

#include "db/DbError.h"
#include "db/Sql.h"
#include "db/SqliteHandle.h"
#include "db/SqliteStatement.h"
#include "journal/JournalStore.h"
#include "journal/WatchedTables.h"

#include <sqlite3.h>

namespace PeriodLock
{

QDate date(const QSqlDatabase& db)
{
    if (!JournalStore::hasTable(db, WatchedTables::lockTable))
        return {};
    SqliteStatement query(sqliteHandle(db),
                          QStringLiteral("SELECT Data FROM %1 ORDER BY rowid LIMIT 1").arg(WatchedTables::lockTable),
                          WatchedTables::lockTable);
    if (!query.step() || sqlite3_column_type(query.raw(), 0) != SQLITE_TEXT)
        return {};
    return QDate::fromString(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(query.raw(), 0))),
                             Qt::ISODate);
}

void setDate(const QSqlDatabase& db, const QDate& date)
{
    const QString table = WatchedTables::lockTable;
    const QVariant stored = date.isValid() ? QVariant(date.toString(Qt::ISODate)) : QVariant();
    const QVariant rowid = Sql::scalar(db, QStringLiteral("SELECT rowid FROM %1 ORDER BY rowid LIMIT 1").arg(table));
    if (rowid.isValid()) {
        RowChanges::apply(db, table, RowAction::Update, rowid.toLongLong(), [&] {
            Sql::execPositional(db, QStringLiteral("UPDATE %1 SET Data = ? WHERE rowid = ?").arg(table),
                                {stored, rowid}, table);
            return rowid.toLongLong();
        });
    } else {
        RowChanges::apply(db, table, RowAction::Insert, 0, [&] {
            return Sql::execPositional(db, QStringLiteral("INSERT INTO %1 (Data) VALUES (?)").arg(table), {stored},
                                       table)
                .lastInsertId()
                .toLongLong();
        });
    }
}

QString refusal(const QDate& lock, RowAction action)
{
    const QString what = action == RowAction::Insert   ? QStringLiteral("adaugat")
                         : action == RowAction::Delete ? QStringLiteral("sters")
                                                       : QStringLiteral("modificat");
    return QStringLiteral("Perioada pana la %1 este blocata: documentul nu poate fi %2.")
        .arg(lock.toString(QStringLiteral("dd.MM.yyyy")), what);
}

void check(const QSqlDatabase& db, const QDate& documentDate, RowAction action)
{
    if (!documentDate.isValid())
        return;
    const QDate lock = date(db);
    if (lock.isValid() && documentDate <= lock)
        throw DbError(refusal(lock, action));
}

} // namespace PeriodLock
