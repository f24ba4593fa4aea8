#pragma once

#include "db/Store.h"

// A PostgreSQL server's database, reached through Qt's driver (libpq for what
// the driver lacks). The tables live in the schema first on the connection's
// search path (the working year's "parohie"); names are kept in lower case;
// every table has a column "rowid", its row identity: an identity column, or
// a copy of the table's own autoincrement key where it has one (as on SQLite).
class ServerStore : public Store
{
public:
    bool isServer() const override { return true; }
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
