#include "contributions/CarryForward.h"

#include "contributions/Arrears.h"
#include "contributions/ContributionParameters.h"
#include "db/DbError.h"
#include "db/Savepoint.h"
#include "db/Sql.h"

#include <QSqlError>
#include <QSqlQuery>

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

// A key field equal to a bound value the way the table's key compares them:
// a null and an empty text are the same key value (and the key's index is used).
QString sameAs(const QString& field)
{
    return QStringLiteral("coalesce(%1, '') = coalesce(?, '')").arg(Sql::quoted(field));
}

void writeArrears(const QSqlDatabase& db, const QList<ArrearsRow>& snapshot)
{
    Sql::exec(db, QStringLiteral("UPDATE Enoriasi SET Restanta = NULL"));
    // The family's whole key, not the code alone: two records may share a code
    // and each has its own remainder.
    QSqlQuery update(db);
    if (!update.prepare(QStringLiteral("UPDATE Enoriasi SET Restanta = ? WHERE %1 AND %2 AND %3 AND %4")
                            .arg(sameAs(QStringLiteral("Cod_enorias")),
                                 sameAs(QStringLiteral("Nume_prenume")), sameAs(QStringLiteral("Strada")),
                                 sameAs(QStringLiteral("Nr")))))
        throw DbError::fromSql(update.lastError());
    for (const ArrearsRow& row : snapshot) {
        if (!row.owes())
            continue;
        const QVariantList values = {storedRemainder(row.rest), row.code, row.name, row.street, row.number};
        for (int i = 0; i < values.size(); ++i)
            update.bindValue(i, values[i]);
        if (!update.exec())
            throw DbError::fromSql(update.lastError(), QStringLiteral("Enoriasi"));
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
