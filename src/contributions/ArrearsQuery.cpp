#include "contributions/ArrearsQuery.h"

#include "db/Sql.h"

namespace Contributions
{

QStringList arrearsQueryLines()
{
    return {
        QStringLiteral("SELECT D.Cod_enorias, D.Nume_prenume, D.Strada, D.Nr, D.Tip_contributie, "
                       "D.Restanta, SUM(D1.Valoarea) AS Achitat"),
        QStringLiteral("FROM Enoriasi D LEFT OUTER JOIN Venituri D1"),
        QStringLiteral("ON (D1.Cod_enorias = D.Cod_enorias)"),
        QStringLiteral(" AND (D1.Cod_venit = :CodVen)"),
        QStringLiteral(" AND (D1.Data <= :Data)"),
        QStringLiteral(
            "GROUP BY D.Cod_enorias, D.Nume_prenume, D.Strada, D.Nr, D.Tip_contributie, D.Restanta"),
        orderLine(ArrearsOrder::ByName),
    };
}

QString orderLine(ArrearsOrder order)
{
    switch (order) {
    case ArrearsOrder::ByCode:
        return QStringLiteral("ORDER BY D.Cod_enorias, D.Strada COLLATE RO, D.Nr COLLATE RO, "
                              "D.Nume_prenume COLLATE RO, D.Tip_contributie, D.Restanta");
    case ArrearsOrder::ByName:
        break;
    }
    return QStringLiteral("ORDER BY D.Nume_prenume COLLATE RO, D.Strada COLLATE RO, D.Nr COLLATE RO, "
                          "D.Cod_enorias, D.Tip_contributie, D.Restanta");
}

QString arrearsQueryText(ArrearsOrder order)
{
    QStringList lines = arrearsQueryLines();
    lines[orderLineIndex] = orderLine(order);
    return lines.join(QLatin1Char('\n'));
}

QSqlQuery runArrearsQuery(const QSqlDatabase& db, const QDate& referenceDate, int contributionIncomeCode,
                          ArrearsOrder order)
{
    // Dates are stored as ISO text, which compares in date order.
    return Sql::exec(db, arrearsQueryText(order),
                     {{QStringLiteral(":CodVen"), contributionIncomeCode},
                      {QStringLiteral(":Data"), referenceDate.toString(Qt::ISODate)}});
}

} // namespace Contributions
