#include "db/Transaction.h"

#include "db/Dataset.h"
#include "db/ConnectionFailure.h"
#include "db/DbError.h"

#include <QHash>
#include <QSqlError>

namespace
{

// The transaction open on each connection.
QHash<QString, Transaction*>& openTransactions()
{
    static QHash<QString, Transaction*> transactions;
    return transactions;
}

} // namespace

Transaction::Transaction(QSqlDatabase db) : m_db(std::move(db))
{
    if (!m_db.transaction())
        ConnectionFailure::raise(m_db, m_db.lastError());
    openTransactions().insert(m_db.connectionName(), this);
}

Transaction::~Transaction()
{
    leave();
    if (m_done)
        return;
    m_db.rollback();
    Dataset::rereadAfterRollback(m_datasets);
}

void Transaction::commit()
{
    if (!m_db.commit())
        ConnectionFailure::raise(m_db, m_db.lastError());
    m_done = true;
    leave();
}

void Transaction::leave()
{
    const auto open = openTransactions().constFind(m_db.connectionName());
    if (open != openTransactions().cend() && *open == this)
        openTransactions().erase(open);
}

void Transaction::enlist(const QString& connectionName, Dataset* dataset)
{
    Transaction* open = openTransactions().value(connectionName);
    if (open && !open->m_datasets.contains(dataset))
        open->m_datasets.append(dataset);
}
