#include "DatabaseDump.h"

#include "db/Connection.h"
#include "db/Sql.h"

#include <QScopeGuard>
#include <QSqlQuery>
#include <QSqlRecord>

namespace DatabaseDump
{

QString cellText(const QVariant& value)
{
    return value.isNull() ? QStringLiteral("null") : value.toString();
}

QStringList rowsOf(const QSqlDatabase& db, const QString& table, const QString& fields)
{
    QStringList rows;
    // A table without row identities (the search index keeps two) is read in the order of its key.
    const bool withoutRowid = Sql::scalar(db, QStringLiteral("SELECT sql FROM sqlite_master WHERE name = :n"),
                                          {{QStringLiteral(":n"), table}})
                                  .toString()
                                  .contains(QLatin1String("WITHOUT ROWID"), Qt::CaseInsensitive);
    QSqlQuery query = Sql::exec(db, QStringLiteral("SELECT %1 FROM %2%3")
                                        .arg(fields, Sql::quoted(table),
                                             withoutRowid ? QString() : QStringLiteral(" ORDER BY rowid")));
    while (query.next()) {
        QStringList values;
        for (int i = 0; i < query.record().count(); ++i)
            values << cellText(query.value(i));
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList dump(const QSqlDatabase& db)
{
    QStringList lines = rowsOf(db, QStringLiteral("sqlite_master"), QStringLiteral("type, name, sql"));
    QSqlQuery tables = Sql::exec(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
    QStringList names;
    while (tables.next())
        names << tables.value(0).toString();
    for (const QString& table : names)
        for (const QString& row : rowsOf(db, table))
            lines << table + QLatin1Char(':') + row;
    return lines;
}

QStringList dumpOfFile(const QString& databaseFile)
{
    const QString name = QStringLiteral("database-dump");
    const auto remove = qScopeGuard([&] { Connection::removeNamed(name); });
    return dump(Connection::openNamed(name, databaseFile));
}

} // namespace DatabaseDump
