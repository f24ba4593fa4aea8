#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The scratch tables the computations rebuild each time a report asks for
// them: the register (Registru), the candle-shop register (Pangar) and the
// balance sheet snapshot (Bilant1, shaped like Bilant). Rebuilding empties
// the table and resets its autoincrement counter, so the new rows are
// numbered from 1 again, exactly as a fresh copy of the empty template was.
namespace WorkTable
{

// The tables that may be rebuilt; no other table is ever emptied here.
const QStringList& names();

// Empties the work table and resets its counter, creating the table from its
// definition when the database lacks it. Both steps stand or fall together,
// also inside a transaction of the caller (a failure leaves the table and its
// counter as they were). Throws DbError, also for a table that is not a
// work table.
void rebuildEmpty(const QSqlDatabase& db, const QString& table);

} // namespace WorkTable
