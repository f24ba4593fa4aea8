#include "db/Store.h"

#include "db/ServerStore.h"
#include "db/SqliteStore.h"

const Store& Store::of(const QSqlDatabase& db)
{
    static const SqliteStore sqlite;
    static const ServerStore server;
    if (db.driverName() == QLatin1String("QPSQL"))
        return server;
    return sqlite;
}
