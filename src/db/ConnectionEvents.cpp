#include "db/ConnectionEvents.h"

ConnectionEvents& ConnectionEvents::instance()
{
    static ConnectionEvents events;
    return events;
}

void ConnectionEvents::announceClosing(const QString& connectionName)
{
    m_closing.append(connectionName);
    try {
        Q_EMIT aboutToClose(connectionName);
    } catch (...) {
        m_closing.removeOne(connectionName);
        throw;
    }
    m_closing.removeOne(connectionName);
}

void ConnectionEvents::announceStored(const QString& connectionName, const QString& table, const QObject* source)
{
    Q_EMIT rowsStored(connectionName, table, source);
}
