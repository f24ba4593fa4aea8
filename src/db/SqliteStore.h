#pragma once

#include "db/Store.h"

// The embedded store: one SQLite database file. Rows are read straight from
// SQLite's statements, without Qt's result objects, for speed on large tables.
class SqliteStore : public Store
{
public:
    bool isServer() const override { return false; }
    QString name(const QString& identifier) const override;
    bool tableExists(const QSqlDatabase& db, const QString& table) const override;
    QList<StoredColumn> columns(const QSqlDatabase& db, const QString& table) const override;
    QList<IndexDef> plainIndexes(const QSqlDatabase& db, const QString& table) const override;
    void prepareSchema(const QSqlDatabase& db) const override;
    QString createTableStatement(const TableDef& table) const override;
    QString createIndexStatement(const QString& table, const IndexDef& index) const override;
    bool inTransaction(const QSqlDatabase& db) const override;
    QString lockingRead() const override;
    void serialise(const QSqlDatabase& db, const QString& work) const override;
    std::unique_ptr<StoreRows> rows(const QString& table) const override;
};
