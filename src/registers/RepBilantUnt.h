#pragma once

#include "registers/BalanceSheetReport.h"

#include <functional>

// The first layout of the printed balance sheet: the cover page, then the
// rows (name, number, amount) ruled, the section headers printing "Nr. rnd"
// and "SUMA", the expenses on a page of their own when the user wants it,
// and the signatures of the parish priest and the churchwarden.
// Holds no window: a report's unit, named as in the older program.
namespace TRepBilantFrm
{

inline const QString separatePageQuestion =
    QStringLiteral("Doriti listarea cheltuielilor pe pagina separata ?");

// `separateExpensesPage` is asked while the row before the expenses prints,
// at every layout of the report (the preview's printing lays it out again).
// Throws DbError.
std::unique_ptr<Report> build(const QSqlDatabase& db, const BalanceSheetReport::Period& period,
                              const QString& amountField, std::function<bool()> separateExpensesPage);

} // namespace TRepBilantFrm
