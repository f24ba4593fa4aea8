#include "RegisterRows.h"
#include "WorkTableText.h"

#include "db/Sql.h"

#include <QSqlRecord>

QStringList registerRows(const QSqlDatabase& db)
{
    QSqlQuery q =
        Sql::exec(db, QStringLiteral("SELECT Data, Fel, Nr_doc, Explicatii, IncasariC, RidicariC, PlatiC, "
                                     "DepuneriC, SoldC, IncasariB, DepuneriB, PlatiB, RidicariB, SoldB, "
                                     "SoldT FROM Registru ORDER BY Data, Id"));
    QStringList rows;
    while (q.next())
        rows << QStringList{q.value(0).toString(),           q.value(1).toString(),
                            WorkTableText::number(q, 2),     q.value(3).toString(),
                            WorkTableText::numbers(q, 4, 8), WorkTableText::numbers(q, 9, 13),
                            WorkTableText::number(q, 14)}
                    .join(QLatin1Char('|'));
    return rows;
}
