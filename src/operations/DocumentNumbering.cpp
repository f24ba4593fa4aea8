#include "operations/DocumentNumbering.h"

#include "db/Connection.h"
#include "db/Sql.h"

#include <algorithm>
#include <limits>

double nextDocumentNumber(const NumberSequence& tablesAndFields)
{
    double highest = -std::numeric_limits<double>::infinity();
    for (const auto& [table, field] : tablesAndFields) {
        const QVariant max =
            Sql::scalar(Connection::database(),
                        QStringLiteral("SELECT MAX(%1) FROM %2").arg(Sql::quoted(field), Sql::quoted(table)));
        highest = std::max(highest, max.isNull() ? 0.0 : max.toDouble());
    }
    return highest + 1;
}

bool documentNumberTaken(const NumberSequence& tablesAndFields, double number)
{
    for (const auto& [table, field] : tablesAndFields) {
        const QVariant found = Sql::scalar(Connection::database(),
                                           QStringLiteral("SELECT 1 FROM %1 WHERE %2 = :number LIMIT 1")
                                               .arg(Sql::quoted(table), Sql::quoted(field)),
                                           {{QStringLiteral(":number"), number}});
        if (found.isValid())
            return true;
    }
    return false;
}
