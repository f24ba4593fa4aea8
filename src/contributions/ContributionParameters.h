#pragma once

#include <QSqlDatabase>

namespace Contributions
{

// What the contribution rule needs from the parish's records: the value of
// one whole yearly contribution (Parohia.Val_contributie, 0 when not set)
// and the income type under which contributions are received
// (Contor.CodVenContrib).
struct ContributionParameters {
    double wholeValue = 0;
    int incomeCode = 0;

    // Throws UserError when the income code is not set: without it every
    // payment would be ignored and every family shown as owing its whole due.
    static ContributionParameters read(const QSqlDatabase& db);
};

} // namespace Contributions
