#include "year/PrivateConnection.h"

#include "db/Connection.h"

#include <QUuid>

PrivateConnection::PrivateConnection(const QString& databaseFile)
    : m_name(QStringLiteral("LumivaretCopy-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    try {
        m_db = Connection::openNamed(m_name, databaseFile);
    } catch (...) {
        Connection::removeNamed(m_name);
        throw;
    }
}

PrivateConnection::~PrivateConnection()
{
    m_db = QSqlDatabase();
    Connection::removeNamed(m_name);
}
