#include "contributions/Arrears.h"

#include "contributions/ContributionParameters.h"
#include "contributions/ContributionRule.h"

#include <QSqlQuery>

namespace Contributions
{
namespace
{

std::optional<double> optionalAmount(const QVariant& value)
{
    return value.isNull() ? std::nullopt : std::optional<double>(value.toDouble());
}

ArrearsRow rowFrom(const QSqlQuery& query, double wholeValue, const QLocale& locale)
{
    ArrearsRow row;
    row.code = query.value(0).toString();
    row.name = query.value(1).toString();
    row.street = query.value(2).toString();
    row.number = query.value(3).toString();
    row.contributionType = query.value(4).toString();
    row.carried = optionalAmount(query.value(5));
    row.paid = optionalAmount(query.value(6));
    row.due = dueAmount(row.carried, row.contributionType, wholeValue, locale);
    row.rest = row.due - row.paid.value_or(0.0);
    row.composedName = row.name + QStringLiteral(" (") + row.code + QLatin1Char(')');
    return row;
}

} // namespace

QList<ArrearsRow> arrears(const QSqlDatabase& db, const QDate& referenceDate,
                          const ContributionParameters& parameters, ArrearsOrder order, const QLocale& locale)
{
    QSqlQuery query = runArrearsQuery(db, referenceDate, parameters.incomeCode, order);
    QList<ArrearsRow> rows;
    while (query.next())
        rows.append(rowFrom(query, parameters.wholeValue, locale));
    return rows;
}

QList<ArrearsRow> arrears(const QSqlDatabase& db, const QDate& referenceDate, ArrearsOrder order,
                          const QLocale& locale)
{
    return arrears(db, referenceDate, ContributionParameters::read(db), order, locale);
}

} // namespace Contributions
