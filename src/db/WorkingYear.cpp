#include "db/WorkingYear.h"

#include "db/DbError.h"
#include "db/Sql.h"

int workingYearOf(const QSqlDatabase& db)
{
    const QVariant year = Sql::scalar(db, QStringLiteral("SELECT An_lucru FROM Parohia LIMIT 1"));
    if (year.isNull() || year.toInt() <= 0)
        throw DbError(QStringLiteral("Anul de lucru nu este completat in datele parohiei"));
    return year.toInt();
}
