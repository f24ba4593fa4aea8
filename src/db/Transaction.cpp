#include "db/Transaction.h"

#include "db/DbError.h"

#include <QSqlError>

Transaction::Transaction(QSqlDatabase db) : m_db(std::move(db))
{
    if (!m_db.transaction())
        throw DbError::fromSql(m_db.lastError());
}

Transaction::~Transaction()
{
    if (!m_done)
        m_db.rollback();
}

void Transaction::commit()
{
    if (!m_db.commit())
        throw DbError::fromSql(m_db.lastError());
    m_done = true;
}
