#pragma once

#include <QSqlDatabase>

// The contents delivered with a new database: document kinds, income and
// expense types, the balance sheet nomenclature, the parish record (with the
// working year) and the parameters record.
namespace InitialContents
{

void write(const QSqlDatabase& db, int workingYear);

} // namespace InitialContents
