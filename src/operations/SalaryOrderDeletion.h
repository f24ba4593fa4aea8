#pragma once

#include <QSqlDatabase>
#include <QVariant>

class Dataset;

// Deletes a stored salary payment order with every line of it, in one
// transaction: after a failure, or a crash on the way, the order is there
// whole or not at all. `lines` is the record source that shows the order's
// lines (a line being typed in it is dropped, and no line is asked about).
// Throws DbError, or SilentAbort when a line's own hook refuses its deletion;
// both leave every line and the header as they were.
void deleteSalaryOrder(const QSqlDatabase& db, Dataset& lines, const QVariant& orderId);
