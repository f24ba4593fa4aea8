#pragma once

#include <QSqlDatabase>

// Statements run between construction and commit() stand or fall together:
// leaving the scope without commit() rolls them back.
class Transaction
{
public:
    explicit Transaction(QSqlDatabase db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    QSqlDatabase m_db;
    bool m_done = false;
};
