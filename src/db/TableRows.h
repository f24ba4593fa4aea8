#pragma once

#include "db/DbError.h"
#include "db/FieldValue.h"
#include "db/PackedRows.h"
#include "db/Store.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

class Dataset;

// A row changed by another connection since it was read: the change is refused.
class ChangedMeanwhile : public DbError
{
public:
    ChangedMeanwhile();
};

// The table behind a record source, on the connection's store (Store): the
// description of its stored fields, and its rows read, inserted, updated and
// deleted by row identity.
// Every statement runs inside the connection's open transaction, if any (the
// record source is enlisted in it), and only on the database file the rows
// were first read from: once that closes, every call throws DbError.
class TableRows
{
public:
    TableRows(const QString& table, Dataset* participant);

    const QString& table() const { return m_table; }
    const QString& connectionName() const { return m_connectionName; }
    // The connection's database (open or not).
    QSqlDatabase database() const;

    // Ties the rows to the database open now; throws DbError when none is.
    void attach();
    void detach();

    // The table's stored fields (only those named in `readFieldNames` when
    // it is not empty), as the table defines them; later reads and writes
    // use these fields, in this order.
    QList<FieldInfo> describeFields(const QStringList& readFieldNames);

    // The rows whose `whereFields` hold `values` (every row when none are
    // given), in row-identity order, each packed into `packed` and handed to `take`.
    void select(PackedRows& packed, const QStringList& whereFields, const QVariantList& values,
                const std::function<void(qint64 rowid, PackedRows::RowRef row)>& take);
    // One row as stored now (all nulls when it is gone).
    PackedRows::RowRef readRow(PackedRows& packed, qint64 rowid);

    // Writes the stored fields' values (nulls and autoincrement fields left
    // to the table's defaults); the new row's identity.
    qint64 insert(const QVariantList& values);
    // Writes the changed fields of a row, as long as it still holds what was
    // read (`asRead`, packed in `packed`): throws ChangedMeanwhile when another
    // connection changed it since, DbError when it is gone.
    void update(PackedRows& packed, qint64 rowid, PackedRows::RowRef asRead, const QList<int>& fields,
                const QVariantList& values);
    void remove(qint64 rowid);

private:
    // The open database the rows were first read from, the record source enlisted in its transaction.
    QSqlDatabase checkedDatabase();
    QString selectList() const;
    // Throws unless the row as stored now holds what was read; on the server
    // the row stays locked until the open transaction ends.
    void checkUnchanged(const QSqlDatabase& db, PackedRows& packed, qint64 rowid, PackedRows::RowRef asRead);

    QString m_table;
    QString m_connectionName;
    Dataset* m_participant;
    QList<FieldInfo> m_fields;
    // The database the rows were read from: the connection's opening count and file.
    quint64 m_generation = 0;
    QString m_databaseFile;
    const Store* m_store = nullptr;
    std::unique_ptr<StoreRows> m_rows;
};
