#pragma once

#include <QSqlDatabase>
#include <QString>
#include <functional>
#include <memory>

// What a write does to one row of a table.
enum class RowAction { Insert, Update, Delete };

// Watches every row written on the program's connection: it is told before
// and after each insert, change and deletion, inside the savepoint of the
// write, so that what it records stands or falls with the row. Throwing a
// DbError from either call refuses the write and undoes it whole.
class RowChangeRecorder
{
public:
    virtual ~RowChangeRecorder() = default;

    // Whether writes to the table are watched at all.
    virtual bool watches(const QString& table) const = 0;
    // Before the statement: the row is still as stored (no row for an insert).
    virtual void before(const QSqlDatabase& db, const QString& table, RowAction action, qint64 rowid) = 0;
    // After the statement: the row is as written (gone after a deletion).
    virtual void after(const QSqlDatabase& db, const QString& table, RowAction action, qint64 rowid) = 0;
    // The program's connection has just opened a database it may write to.
    virtual void opened(const QSqlDatabase& db) = 0;
};

namespace RowChanges
{

// The one recorder of the program (none: writes are not watched).
void install(std::shared_ptr<RowChangeRecorder> recorder);
RowChangeRecorder* recorder();

// Runs `write` (which returns the identity of the row written) between the
// recorder's two calls, all inside one savepoint. `rowid` is the row changed
// or deleted (0 for an insert).
qint64 apply(const QSqlDatabase& db, const QString& table, RowAction action, qint64 rowid,
             const std::function<qint64()>& write);

// Deletes the rows a condition selects one by one through `apply`, so that
// each deletion is watched; returns how many went.
int removeWhere(const QSqlDatabase& db, const QString& table, const QString& condition,
                const QVariantList& values);

} // namespace RowChanges
