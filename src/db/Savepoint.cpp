#include "db/Savepoint.h"

#include "db/ConnectionFailure.h"
#include "db/Sql.h"
#include "db/SqliteHandle.h"
#include "db/Store.h"

#include <QSqlQuery>

Savepoint::Savepoint(QSqlDatabase db, const QString& name) : m_db(std::move(db)), m_name(Sql::quoted(name))
{
    const Store& store = Store::of(m_db);
    m_ownTransaction = store.isServer() && !store.inTransaction(m_db);
    Sql::exec(m_db, m_ownTransaction ? QStringLiteral("BEGIN") : QStringLiteral("SAVEPOINT %1").arg(m_name));
}

Savepoint::~Savepoint()
{
    if (m_done)
        return;
    if (m_ownTransaction) {
        QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
        return;
    }
    // Undoes the statements, then leaves the savepoint (ending the transaction it began, if any).
    QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK TO %1").arg(m_name));
    QSqlQuery(m_db).exec(QStringLiteral("RELEASE %1").arg(m_name));
}

void Savepoint::release()
{
    Sql::exec(m_db, m_ownTransaction ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE %1").arg(m_name));
    m_done = true;
}

bool Savepoint::fitsAround(const QSqlDatabase& db)
{
    return Store::of(db).isServer() || !ConnectionFailure::fileReplaced(sqliteHandle(db));
}
