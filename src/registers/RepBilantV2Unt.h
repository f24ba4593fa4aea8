#pragma once

#include "registers/BalanceSheetReport.h"

// The second layout of the printed balance sheet: the cover page, then the
// rows (name, number, article code, amount) ruled, a new page after every row
// whose article code is "-", and at the end the statement of stocks and
// candle sales that the parish fills in by hand.
// Holds no window: a report's unit, named as in the older program.
namespace TRepBilantV2Frm
{

// Throws DbError.
std::unique_ptr<Report> build(const QSqlDatabase& db, const BalanceSheetReport::Period& period,
                              const QString& amountField);

} // namespace TRepBilantV2Frm
