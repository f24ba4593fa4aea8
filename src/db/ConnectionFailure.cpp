#include "db/ConnectionFailure.h"

#include "db/DbError.h"
#include "db/ReplacedFileRescue.h"
#include "db/SqliteHandle.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <sqlite3.h>

namespace ConnectionFailure
{

bool fileReplaced(sqlite3* db)
{
    int moved = 0;
    return db && sqlite3_file_control(db, "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK && moved;
}

namespace
{

// A file replaced under the connection: its data are copied out first.
void throwIfReplaced(sqlite3* db)
{
    if (fileReplaced(db))
        throw DbError(ReplacedFileRescue::rescueAndExplain(db));
}

} // namespace

void raise(sqlite3* db, const QString& native, const QString& table)
{
    throwIfReplaced(db);
    throw DbError::fromStoreText(native, table);
}

void raise(const QSqlDatabase& db, const QSqlError& error, const QString& table)
{
    sqlite3* handle = nullptr;
    try {
        handle = sqliteHandle(db);
    } catch (const DbError&) {
        // Not an open SQLite connection: only the text can tell.
    }
    throwIfReplaced(handle);
    throw DbError::fromSql(error, table);
}

} // namespace ConnectionFailure
