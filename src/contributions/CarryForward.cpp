#include "contributions/CarryForward.h"

#include "contributions/Arrears.h"
#include "contributions/ContributionParameters.h"
#include "db/DbError.h"
#include "db/Savepoint.h"
#include "db/Sql.h"

namespace Contributions
{
namespace
{

// The remainder as stored: 15 significant digits, so that the float noise of
// the subtractions (12.500000000000002) is not carried into the next year.
double storedRemainder(double rest)
{
    return QString::number(rest, 'g', 15).toDouble();
}

// A value bound for a field that may be null: "=" never matches a null.
QString sameAs(const QString& field)
{
    return QStringLiteral("%1 IS :%1").arg(field);
}

void writeArrears(const QSqlDatabase& db, const QList<ArrearsRow>& snapshot)
{
    Sql::exec(db, QStringLiteral("UPDATE Enoriasi SET Restanta = NULL"));
    // The family's whole key, not the code alone: two records may share a code.
    const QString update =
        QStringLiteral("UPDATE Enoriasi SET Restanta = :Restanta WHERE %1 AND %2 AND %3 AND %4")
            .arg(sameAs(QStringLiteral("Cod_enorias")), sameAs(QStringLiteral("Nume_prenume")),
                 sameAs(QStringLiteral("Strada")), sameAs(QStringLiteral("Nr")));
    for (const ArrearsRow& row : snapshot) {
        if (!row.owes())
            continue;
        Sql::exec(db, update,
                  {{QStringLiteral(":Restanta"), storedRemainder(row.rest)},
                   {QStringLiteral(":Cod_enorias"), row.code},
                   {QStringLiteral(":Nume_prenume"), row.name},
                   {QStringLiteral(":Strada"), row.street},
                   {QStringLiteral(":Nr"), row.number}});
    }
}

} // namespace

void carryForward(const QSqlDatabase& db, int closingYear, const ContributionParameters& parameters)
{
    try {
        // A savepoint rather than a transaction: the year-end closing runs this inside its own.
        Savepoint unit(db, QStringLiteral("carry_forward"));
        writeArrears(db, arrears(db, QDate(closingYear, 12, 31), parameters));
        unit.release();
    } catch (const DbError& e) {
        throw DbError(QStringLiteral("Restantele la contributie nu au putut fi reportate in anul %1: %2")
                          .arg(closingYear + 1)
                          .arg(e.text()));
    }
}

void carryForward(const QSqlDatabase& db, int closingYear)
{
    carryForward(db, closingYear, ContributionParameters::read(db));
}

} // namespace Contributions
