#include "operations/DocumentNumbering.h"

#include "db/Connection.h"
#include "db/Sql.h"
#include "db/Store.h"

#include <QStringList>

#include <algorithm>
#include <limits>

double nextDocumentNumber(const NumberSequence& tablesAndFields)
{
    const QSqlDatabase db = Connection::database();
    double highest = -std::numeric_limits<double>::infinity();
    for (const auto& [table, field] : tablesAndFields) {
        const QVariant max = Sql::scalar(
            db, QStringLiteral("SELECT MAX(%1) FROM %2").arg(Sql::name(db, field), Sql::name(db, table)));
        highest = std::max(highest, max.isNull() ? 0.0 : max.toDouble());
    }
    return highest + 1;
}

bool documentNumberTaken(const NumberSequence& tablesAndFields, double number)
{
    const QSqlDatabase db = Connection::database();
    for (const auto& [table, field] : tablesAndFields) {
        const QVariant found = Sql::scalar(db,
                                           QStringLiteral("SELECT 1 FROM %1 WHERE %2 = :number LIMIT 1")
                                               .arg(Sql::name(db, table), Sql::name(db, field)),
                                           {{QStringLiteral(":number"), number}});
        if (found.isValid())
            return true;
    }
    return false;
}

void serialiseNumbering(const QSqlDatabase& db, const NumberSequence& tablesAndFields)
{
    QStringList tables;
    for (const auto& [table, field] : tablesAndFields)
        tables << table.toLower();
    tables.sort();
    Store::of(db).serialise(db, QStringLiteral("numerotare ") + tables.join(QLatin1Char(',')));
}
