#pragma once

#include "db/RowChanges.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>

// The date up to which the books are reported: documents dated on or before
// it are neither added, changed nor deleted, whatever the window or the
// computation that tries. Kept in the table Blocare, followed by the journal.
namespace PeriodLock
{

// The lock's date; invalid when nothing is locked.
QDate date(const QSqlDatabase& db);
// Sets (or with an invalid date lifts) the lock, as one journaled change.
void setDate(const QSqlDatabase& db, const QDate& date);

// The refusal of a document dated within the locked period.
QString refusal(const QDate& lock, RowAction action);
// Throws the refusal when the document's date falls on or before the lock.
void check(const QSqlDatabase& db, const QDate& documentDate, RowAction action);

} // namespace PeriodLock
