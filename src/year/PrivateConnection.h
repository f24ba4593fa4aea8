#pragma once

#include <QSqlDatabase>
#include <QString>

// A connection of its own on one database file, removed when the scope
// ends; the program's connection is left as it is.
class PrivateConnection
{
public:
    // Throws DbError when the file is missing or is not a database.
    explicit PrivateConnection(const QString& databaseFile);
    ~PrivateConnection();
    PrivateConnection(const PrivateConnection&) = delete;
    PrivateConnection& operator=(const PrivateConnection&) = delete;

    const QSqlDatabase& db() const { return m_db; }

private:
    QString m_name;
    QSqlDatabase m_db;
};
