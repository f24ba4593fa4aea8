#pragma once

#include "contributions/ArrearsQuery.h"
#include "contributions/ArrearsRow.h"

#include <QDate>
#include <QList>
#include <QLocale>
#include <QSqlDatabase>

namespace Contributions
{

struct ContributionParameters;

// Every parishioner's due, payments and remainder at the reference date
// (payments dated that day count), in the query's order. Throws DbError when
// the tables cannot be read.
QList<ArrearsRow> arrears(const QSqlDatabase& db, const QDate& referenceDate,
                          const ContributionParameters& parameters, ArrearsOrder order = ArrearsOrder::ByName,
                          const QLocale& locale = QLocale());

// The same with the whole value and the income code read from the parish's records.
QList<ArrearsRow> arrears(const QSqlDatabase& db, const QDate& referenceDate,
                          ArrearsOrder order = ArrearsOrder::ByName, const QLocale& locale = QLocale());

} // namespace Contributions
