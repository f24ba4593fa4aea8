#pragma once

#include <QSqlDatabase>

namespace Contributions
{

struct ContributionParameters;

// The year-end carry-forward: each family's remainder at 31 December of the
// closing year (old arrears + the year's contribution - the year's payments)
// becomes its Restanta; families that paid everything or more start with
// none, an overpayment is not carried as a credit.
//
// Runs as one unit, inside the caller's transaction if one is open: a failure
// leaves Enoriasi as it was and throws DbError.
void carryForward(const QSqlDatabase& db, int closingYear, const ContributionParameters& parameters);

// The same with the parameters read from the parish's records.
void carryForward(const QSqlDatabase& db, int closingYear);

} // namespace Contributions
