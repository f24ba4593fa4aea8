#include "registers/BalanceSheetSections.h"

#include "db/Sql.h"

#include <QSqlQuery>

BalanceSheetSections BalanceSheetSections::of(const QSqlDatabase& db)
{
    QSqlQuery query =
        Sql::exec(db, QStringLiteral("SELECT Nr_rand, COUNT(DISTINCT Denumire) AS Contor FROM Bilant "
                                     "GROUP BY Nr_rand ORDER BY Contor DESC, Nr_rand"));
    if (query.next() && query.value(1).toInt() == 2 && !query.value(0).isNull())
        return BalanceSheetSections(query.value(0).toLongLong());
    return BalanceSheetSections(noSeparator);
}
