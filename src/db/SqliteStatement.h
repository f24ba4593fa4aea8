#pragma once

#include <QString>
#include <QVariant>
#include <map>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

// One statement prepared on SQLite's own handle of a connection, for the
// record sources' reads and writes (Qt's result objects cost more than the
// statement itself on large tables). Failures throw DbError; `table` names the
// table in the wording of a refused key or required field.
class SqliteStatement
{
public:
    SqliteStatement(sqlite3* db, const QString& statement, const QString& table = {});
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // Binds the values to the "?" parameters in order (after a reset).
    void bindAll(const QVariantList& values);
    // True while a row is delivered; false when the statement is done.
    bool step();
    // Makes the statement ready to run again.
    void reset();
    // Runs a statement that delivers no rows with these values, leaving it ready again.
    void run(const QVariantList& values);

    sqlite3_stmt* raw() const { return m_statement; }
    int changes() const;
    qint64 lastInsertRowid() const;

private:
    [[noreturn]] void fail() const;

    sqlite3* m_db;
    sqlite3_stmt* m_statement = nullptr;
    QString m_table;
};

// Statements kept prepared for reuse by one owner, on one database handle:
// asking with another handle drops the old ones first.
class StatementCache
{
public:
    SqliteStatement& get(sqlite3* db, const QString& statement, const QString& table = {});
    void clear();

private:
    sqlite3* m_db = nullptr;
    std::map<QString, std::unique_ptr<SqliteStatement>> m_statements;
};
