#pragma once

#include "core/Progress.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>

// The balance sheet's execution (Bilant.Executie) computed from the documents
// dated up to `referenceDate`:
// - every execution starts at 0, an empty forecast becomes 0;
// - the first row numbered 1 receives the opening balance (cash + bank of
//   Contor, an empty one counting 0);
// - the first row bearing an income type's code receives that type's incomes,
//   the first bearing an expense type's code its payments (replacing an income
//   total of the same code) plus the salary order lines of that code;
// - with `inThousands`, every execution is then expressed in thousands of lei,
//   rounded to two decimals (an exact half to the even neighbour);
// - each row with a formula (BalanceFormula) receives the formula's result
//   over the forecasts and over the executions, evaluated after every formula
//   row it depends on, however deep the chain. The result goes into the
//   formula row alone, not into other rows sharing its number.
// Forecasts of rows without a formula are the user's and stay as typed.
//
// All of it stands or falls together: a formula that is not numbers and
// operators, or formulas that depend on each other in a circle, are refused
// before anything is written, and a store failure undoes what was written.
// Throws UserError with the text the user sees ("Eroare de acces la tabela
// bilant!..." naming the rows at fault; "Nu pot crea <folder>PRIV").
namespace CalculBilantUnt
{

inline const QString progressCaption = QStringLiteral("Calcul bilant");

// The private working folder kept in the program folder.
inline const QString privateFolderName = QStringLiteral("PRIV");

} // namespace CalculBilantUnt

void CalculBilant(const QSqlDatabase& db, const QDate& referenceDate, bool inThousands,
                  Progress& progress = noProgress());

// The execution of a period: the execution of the documents dated from
// `from` to `to`, both included, row by row (each row less its own figure
// before the period, both in lei; then the thousands and the formulas as
// above). The balance sheet up to the day before the period is left in the
// snapshot table Bilant1. From 1 January of
// the working year it is the execution up to `to` alone, the opening balance
// included. Forecasts are not touched by the period. One transaction; throws
// UserError (also for `from` after `to`).
void CalculBilantPerioada(const QSqlDatabase& db, const QDate& from, const QDate& to, bool inThousands,
                          Progress& progress = noProgress());
