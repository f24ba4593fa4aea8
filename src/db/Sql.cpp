#include "db/Sql.h"

#include "db/ConnectionFailure.h"
#include "db/DbError.h"
#include "db/Store.h"

#include <QSqlError>
#include <QSqlRecord>
#include <QSqlResult>
#include <sqlite3.h>

namespace Sql
{

namespace
{

// Rows are read forward only. The server's driver would then deliver them one
// by one, leaving the connection busy with a statement read in part (and its
// transaction state unknown) until the next statement: there the whole
// result is taken at once.
bool forwardOnly(const QSqlDatabase& db)
{
    return !Store::of(db).isServer();
}

} // namespace

QSqlQuery exec(const QSqlDatabase& db, const QString& statement, std::initializer_list<Binding> bindings)
{
    if (!db.isOpen())
        throw DbError(QStringLiteral("Baza de date nu este deschisa"));
    QSqlQuery query(db);
    query.setForwardOnly(forwardOnly(db));
    if (bindings.size() == 0 && Store::of(db).isServer()) {
        // The server's driver prepares with PREPARE, which takes no SET, CREATE or BEGIN.
        if (!query.exec(statement))
            ConnectionFailure::raise(db, query.lastError());
        return query;
    }
    if (!query.prepare(statement))
        ConnectionFailure::raise(db, query.lastError());
    for (const Binding& b : bindings)
        query.bindValue(b.first, b.second);
    if (!query.exec())
        ConnectionFailure::raise(db, query.lastError());
    return query;
}

QSqlQuery execPositional(const QSqlDatabase& db, const QString& statement, const QVariantList& values,
                         const QString& table)
{
    if (!db.isOpen())
        throw DbError(QStringLiteral("Baza de date nu este deschisa"));
    QSqlQuery query(db);
    query.setForwardOnly(forwardOnly(db));
    if (!query.prepare(statement))
        ConnectionFailure::raise(db, query.lastError(), table);
    for (const QVariant& v : values)
        query.addBindValue(v);
    if (!query.exec())
        ConnectionFailure::raise(db, query.lastError(), table);
    return query;
}

QVariant scalar(const QSqlDatabase& db, const QString& statement, std::initializer_list<Binding> bindings)
{
    QSqlQuery query = exec(db, statement, bindings);
    return query.next() ? query.value(0) : QVariant();
}

QString quoted(const QString& identifier)
{
    QString escaped = identifier;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString name(const QSqlDatabase& db, const QString& identifier)
{
    return Store::of(db).name(identifier);
}

bool tableExists(const QSqlDatabase& db, const QString& table)
{
    return Store::of(db).tableExists(db, table);
}

QStringList fieldNames(const QSqlDatabase& db, const QString& table)
{
    QStringList names;
    for (const StoredColumn& column : Store::of(db).columns(db, table))
        names << column.name;
    return names;
}

QStringList declaredColumnTypes(const QSqlQuery& query)
{
    const int columns = query.record().count();
    QStringList types;
    types.reserve(columns);
    const QVariant handle = query.result() ? query.result()->handle() : QVariant();
    sqlite3_stmt* statement = handle.isValid() && qstrcmp(handle.typeName(), "sqlite3_stmt*") == 0
                                  ? *static_cast<sqlite3_stmt* const*>(handle.constData())
                                  : nullptr;
    for (int i = 0; i < columns; ++i) {
        const char* declared = statement ? sqlite3_column_decltype(statement, i) : nullptr;
        types << (declared ? QString::fromUtf8(declared) : QString());
    }
    return types;
}

} // namespace Sql
