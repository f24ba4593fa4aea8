#include "RegisterRows.h"

#include "db/Sql.h"

#include <QSqlRecord>

QStringList registerRows(const QSqlDatabase& db)
{
    QSqlQuery q =
        Sql::exec(db, QStringLiteral("SELECT Data, Fel, Nr_doc, Explicatii, IncasariC, RidicariC, PlatiC, "
                                     "DepuneriC, SoldC, IncasariB, DepuneriB, PlatiB, RidicariB, SoldB, "
                                     "SoldT FROM Registru ORDER BY Data, Id"));
    QStringList rows;
    while (q.next()) {
        const auto number = [&](int i) {
            return q.value(i).isNull() ? QStringLiteral("-")
                                       : QString::number(q.value(i).toDouble(), 'g', 12);
        };
        const auto numbers = [&](int first, int last) {
            QStringList values;
            for (int i = first; i <= last; ++i)
                values << number(i);
            return values.join(QLatin1Char(' '));
        };
        rows << QStringList{q.value(0).toString(), q.value(1).toString(), number(2), q.value(3).toString(),
                            numbers(4, 8),         numbers(9, 13),        number(14)}
                    .join(QLatin1Char('|'));
    }
    return rows;
}
