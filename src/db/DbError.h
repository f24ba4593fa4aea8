#pragma once

#include "core/SilentAbort.h"
#include "core/UserError.h"

#include <QString>

class QSqlError;

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
};
