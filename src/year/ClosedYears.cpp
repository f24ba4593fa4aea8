#include "year/ClosedYears.h"

#include "db/DatabaseLocation.h"

QList<int> closedYearsOf(const QList<int>& knownYears)
{
    return knownYears.mid(0, qMax(0, knownYears.size() - 1));
}

QList<int> closedYears()
{
    return closedYearsOf(DatabaseLocation::instance().knownYears());
}
