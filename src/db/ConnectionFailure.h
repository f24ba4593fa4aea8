#pragma once

#include <QString>

class QSqlDatabase;
class QSqlError;
struct sqlite3;

// A statement or transaction that failed on a SQLite connection. When the
// connection's database file was deleted or replaced under it (SQLite then
// refuses to write, with the same text as for a protected file), the data
// still open are first copied out (ReplacedFileRescue) and the error says
// where; otherwise the store's own text is worded as DbError does.
namespace ConnectionFailure
{

[[noreturn]] void raise(sqlite3* db, const QString& native, const QString& table = {});
[[noreturn]] void raise(const QSqlDatabase& db, const QSqlError& error, const QString& table = {});

// True when the file the connection has open is no longer the one under
// its name: deleted, or replaced by another file.
bool fileReplaced(sqlite3* db);

} // namespace ConnectionFailure
