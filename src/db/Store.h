#pragma once

#include "db/FieldValue.h"
#include "db/PackedRows.h"
#include "db/TableDefinitions.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

class StoreRows;

// A table's column as the store holds it (the row identity left out).
struct StoredColumn {
    QString name;
    QString declaredType; // "VARCHAR(40)", "INTEGER", "FLOAT", "DATE", ...
    bool required = false;
    bool primaryKey = false;
    bool autoIncrement = false;
};

// The database system under a connection: the embedded SQLite file or a
// PostgreSQL server. Only what the two write or ask differently lives here:
// names, the schema's statements, the open transaction and the row gateway.
// Statements written once for both find every table with a column "rowid",
// the row identity (SQLite's own; a column of every table on the server).
class Store
{
public:
    virtual ~Store() = default;

    // The store of an open connection, told by its driver.
    static const Store& of(const QSqlDatabase& db);

    virtual bool isServer() const = 0;

    // A table's or field's name as a statement writes it. The server keeps
    // names in lower case, so that the statements' unquoted names reach them.
    virtual QString name(const QString& identifier) const = 0;

    virtual bool tableExists(const QSqlDatabase& db, const QString& table) const = 0;
    // The table's columns in their stored order.
    virtual QList<StoredColumn> columns(const QSqlDatabase& db, const QString& table) const = 0;

    // The table's indexes whose keys are plain columns, each named by its
    // SQL name, with its fields and whether it ignores case.
    virtual QList<IndexDef> plainIndexes(const QSqlDatabase& db, const QString& table) const = 0;

    // What a new database or schema needs before its tables (the Romanian collation).
    virtual void prepareSchema(const QSqlDatabase& db) const = 0;
    // The CREATE TABLE statement of one table (its indexes are created apart).
    virtual QString createTableStatement(const TableDef& table) const = 0;
    // The CREATE INDEX statement of one index of a table.
    virtual QString createIndexStatement(const QString& table, const IndexDef& index) const = 0;

    // Whether a transaction is open on the connection.
    virtual bool inTransaction(const QSqlDatabase& db) const = 0;

    // What ends a SELECT of a row about to be changed in the open
    // transaction: the server then holds the row against the other
    // connections until the transaction ends; SQLite's transaction holds the
    // whole file from its first write and refuses a write over a newer one.
    virtual QString lockingRead() const = 0;
    // Makes the open transaction the only one of all connections doing
    // `work` (in the working year's tables) until it ends: the others wait.
    // Nothing on SQLite, where one connection at a time writes to the file.
    virtual void serialise(const QSqlDatabase& db, const QString& work) const = 0;

    // The gateway of one table's rows on this store.
    virtual std::unique_ptr<StoreRows> rows(const QString& table) const = 0;
};

// One table's rows read and written through the statements TableRows builds.
// Every call throws DbError on failure, naming `table` in a refused key.
class StoreRows
{
public:
    using Take = std::function<void(qint64 rowid, PackedRows::RowRef row)>;

    virtual ~StoreRows() = default;

    // Runs a SELECT whose first column is the row identity and the others
    // `fields` in order; each row is packed and handed to `take`.
    virtual void select(const QSqlDatabase& db, const QString& statement, const QVariantList& values,
                        const QList<FieldInfo>& fields, PackedRows& packed, const Take& take) = 0;
    // The same for a statement that is run again and again (kept prepared),
    // delivering at most one row: false when there is none.
    virtual bool selectOne(const QSqlDatabase& db, const QString& statement, const QVariantList& values,
                           const QList<FieldInfo>& fields, PackedRows::Builder& row) = 0;
    // Runs an INSERT; the new row's identity.
    virtual qint64 insert(const QSqlDatabase& db, const QString& statement, const QVariantList& values) = 0;
    // Runs an UPDATE or DELETE; the number of rows it changed.
    virtual int change(const QSqlDatabase& db, const QString& statement, const QVariantList& values) = 0;
    // Drops the statements kept prepared.
    virtual void clear() = 0;

protected:
    explicit StoreRows(QString table) : m_table(std::move(table)) {}
    QString m_table;
};
