#include "db/RowChanges.h"

#include "db/Savepoint.h"
#include "db/Sql.h"
#include "db/Store.h"

#include <QSqlQuery>

namespace RowChanges
{

namespace
{

std::shared_ptr<RowChangeRecorder>& installed()
{
    static std::shared_ptr<RowChangeRecorder> recorder;
    return recorder;
}

} // namespace

void install(std::shared_ptr<RowChangeRecorder> recorder)
{
    installed() = std::move(recorder);
}

RowChangeRecorder* recorder()
{
    return installed().get();
}

qint64 apply(const QSqlDatabase& db, const QString& table, RowAction action, qint64 rowid,
             const std::function<qint64()>& write)
{
    RowChangeRecorder* watcher = recorder();
    if (!watcher || !watcher->watches(table))
        return write();
    if (!Savepoint::fitsAround(db))
        return write();
    Savepoint savepoint(db, QStringLiteral("RowChange"));
    watcher->before(db, table, action, rowid);
    const qint64 written = write();
    watcher->after(db, table, action, written);
    savepoint.release();
    return written;
}

int removeWhere(const QSqlDatabase& db, const QString& table, const QString& condition,
                const QVariantList& values)
{
    QList<qint64> rowids;
    const QString tableName = Store::of(db).name(table);
    QSqlQuery found = Sql::execPositional(
        db, QStringLiteral("SELECT rowid FROM %1 WHERE %2").arg(tableName, condition), values);
    while (found.next())
        rowids << found.value(0).toLongLong();
    const QString remove = QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(tableName);
    for (const qint64 rowid : rowids)
        apply(db, table, RowAction::Delete, rowid, [&] {
            Sql::execPositional(db, remove, {rowid}, table);
            return rowid;
        });
    return int(rowids.size());
}

} // namespace RowChanges
