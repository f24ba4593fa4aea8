#pragma once

#include <QSqlDatabase>
#include <QString>

// Like Transaction, but nests: statements run between construction and
// release() stand or fall together, whether or not the caller has a
// transaction of its own open. Leaving the scope without release() undoes
// them (and only them). Outside any transaction release() commits.
class Savepoint
{
public:
    Savepoint(QSqlDatabase db, const QString& name);
    ~Savepoint();
    Savepoint(const Savepoint&) = delete;
    Savepoint& operator=(const Savepoint&) = delete;

    void release();

    // False for a database file deleted or replaced under the connection: a
    // write there fails on its own and copies the open data out, which a
    // savepoint open around it would stop.
    static bool fitsAround(const QSqlDatabase& db);

private:
    QSqlDatabase m_db;
    QString m_name;
    bool m_done = false;
    // The server takes savepoints only inside a transaction: outside one the
    // savepoint is a transaction of its own.
    bool m_ownTransaction = false;
};
