#pragma once

#include <QString>
#include <stdexcept>

class QSqlError;

// The one error type of the table store: every failure of the database layer
// reaches the caller as a DbError carrying the store's own text, which the
// window or report then words for the user.
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString& storeText);
    const QString& text() const { return m_text; }

    // Builds the error from a Qt SQL failure, translating the messages that a
    // user can cause (duplicate key, missing required value) into Romanian.
    static DbError fromSql(const QSqlError& error, const QString& table = {});
    // The same from SQLite's own message.
    static DbError fromStoreText(const QString& native, const QString& table = {});

private:
    QString m_text;
};

// Refuses an operation without any message (the handler that throws it has
// already told the user what is wrong, or nothing needs saying).
class SilentAbort : public std::exception
{
public:
    const char* what() const noexcept override { return "operation aborted"; }
};
