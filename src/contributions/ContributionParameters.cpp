#include "contributions/ContributionParameters.h"

#include "core/UserError.h"
#include "db/Sql.h"

namespace Contributions
{

ContributionParameters ContributionParameters::read(const QSqlDatabase& db)
{
    ContributionParameters parameters;
    parameters.wholeValue =
        Sql::scalar(db, QStringLiteral("SELECT Val_contributie FROM Parohia ORDER BY rowid LIMIT 1"))
            .toDouble();
    const QVariant code =
        Sql::scalar(db, QStringLiteral("SELECT CodVenContrib FROM Contor ORDER BY rowid LIMIT 1"));
    if (code.isNull())
        throw UserError(QStringLiteral("Codul de venit pentru contributia anuala a credinciosilor nu este "
                                       "completat in parametrii aplicatiei!"));
    parameters.incomeCode = code.toInt();
    return parameters;
}

} // namespace Contributions
