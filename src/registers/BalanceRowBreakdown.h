#pragma once

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <optional>

// What makes up a figure of the balance sheet's execution, the way
// CalculBilant and CalculBilantPerioada make it:
// - a row without a formula: the documents of its code (incomes, or payments
//   when there are any of that code, which then replace the incomes) and the
//   salary order lines of its code, and for the first row numbered 1 the
//   opening balance; only the first row bearing a number receives them. In
//   lei, before any rounding to thousands. For a period not starting on
//   1 January, a document counted before the period but no more by its end
//   (the incomes of a code whose first payment falls in the period) is
//   listed with its amount taken away, so that the list adds up to the figure.
// - a row with a formula: the rows it adds and subtracts, with the figures
//   they show (in thousands of lei when the balance sheet is).
namespace BalanceRowBreakdown
{

struct Line {
    QString kind;                 // "Incasare", "Plata", "Ordonantare salarii", "Sold initial", "Rand"
    std::optional<double> number; // the document's or the row's number
    QDate date;
    QString name; // parishioner, beneficiary, salary line's type, row's name
    QString explanation;
    double amount = 0; // signed as it counts in the total
};

struct Breakdown {
    QString title;
    QList<Line> lines;
    std::optional<double> total; // empty for a formula naming a number no row bears
    QString note;                // what the figures are (lei before rounding, thousands, ...)
};

// The balance sheet row of that row identity, for the period (both ends
// included; from 1 January of the working year the opening balance counts).
// Throws DbError, UserError (a formula that cannot be read).
Breakdown ofRow(const QSqlDatabase& db, qint64 rowId, const QDate& from, const QDate& to, bool inThousands);

// The documents of an income or expense type (payments and salary lines) dated in the period, in
// lei, whether or not the type is in its catalogue.
Breakdown ofType(const QSqlDatabase& db, int code, bool income, const QDate& from, const QDate& to);

} // namespace BalanceRowBreakdown
