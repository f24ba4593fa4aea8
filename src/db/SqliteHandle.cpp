#include "db/SqliteHandle.h"

#include "db/DbError.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>
#include <sqlite3.h>

sqlite3* sqliteHandle(const QSqlDatabase& db)
{
    const QVariant handle = db.isValid() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw DbError(QStringLiteral("Conexiunea nu este o baza de date SQLite"));
    sqlite3* raw = *static_cast<sqlite3* const*>(handle.constData());
    if (!raw)
        throw DbError(QStringLiteral("Baza de date nu este deschisa"));
    return raw;
}
