#include "operations/SalaryOrderDeletion.h"

#include "core/SilentAbort.h"
#include "db/Dataset.h"
#include "db/RowChanges.h"
#include "db/Sql.h"
#include "db/Transaction.h"

void deleteSalaryOrder(const QSqlDatabase& db, Dataset& lines, const QVariant& orderId)
{
    Transaction transaction(db);
    lines.cancel(); // a line being typed goes with its order
    lines.first();
    while (!lines.isEmpty())
        if (!lines.remove())
            throw SilentAbort();
    // The header goes in the same transaction; a record source that deletes it
    // afterwards finds it gone already.
    RowChanges::removeWhere(db, QStringLiteral("CheltSal"), QStringLiteral("Id = ?"), {orderId});
    transaction.commit();
}
