#pragma once

#include "core/SilentAbort.h"
#include "core/UserError.h"

#include <QString>

class QSqlError;
class QSqlDatabase;
struct sqlite3;

// The one error type of the table store: every failure of the database layer
// reaches the caller as a DbError carrying the store's own text, which the
// window or report then words for the user.
class DbError : public UserError
{
public:
    explicit DbError(const QString& storeText);

    // Builds the error from a Qt SQL failure, translating the messages that a
    // user can cause (duplicate key, missing required value) into Romanian.
    static DbError fromSql(const QSqlError& error, const QString& table = {});
    // The same from SQLite's own message.
    static DbError fromStoreText(const QString& native, const QString& table = {});
    // The same for a failure on the SQLite connection `db`, which also tells
    // a database file deleted or replaced under the open connection (SQLite
    // then refuses to write, with the same text as for a protected file); the
    // data still open are then copied out (ReplacedFileRescue) and the text
    // says where.
    static DbError fromConnection(sqlite3* db, const QString& native, const QString& table = {});
    static DbError fromConnection(const QSqlDatabase& db, const QSqlError& error, const QString& table = {});

    // True when the file the connection has open is no longer the one under
    // its name: deleted, or replaced by another file.
    static bool fileReplaced(sqlite3* db);
};
