#pragma once

#include <QList>
#include <QPointer>
#include <QSqlDatabase>

class Dataset;

// Statements run between construction and commit() stand or fall together:
// leaving the scope without commit() rolls them back.
//
// Record sources that read or write on the connection while the transaction
// is open join it; a rollback has them read their rows again, so that they
// never show what the file no longer holds. After a commit they already show
// what is stored.
class Transaction
{
public:
    explicit Transaction(QSqlDatabase db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

    // Adds the record source to the transaction open on the named connection, if any.
    static void enlist(const QString& connectionName, Dataset* dataset);

private:
    void leave();

    QSqlDatabase m_db;
    bool m_done = false;
    QList<QPointer<Dataset>> m_datasets;
};
