#pragma once

#include "printing/CsvTable.h"
#include "printing/ReportFrame.h"

#include <QDate>
#include <QSqlDatabase>
#include <memory>

// The candle-shop register, printed from its work table (CalculPangar):
// portrait, nine numbered columns (date, document kind and number, candles in,
// out and in stock, their values in, out and the stock value), the sums
// carried from page to page.
// Holds no window: a report's unit, named as in the older program.
namespace TRepPangarFrm
{

inline const QString caption = QStringLiteral("Registru pangar");
inline const QString reportTitle = QStringLiteral("Raport registru pangar");
inline const QString heading = QStringLiteral("REGISTRU PANGAR");

// Drops the work table's rows after `to` and builds the report of the
// period. The rows before `from` are not printed but count in every sum and
// in the stock; a period without a row of its own gives a report without
// pages. Throws DbError.
std::unique_ptr<Report> build(const QSqlDatabase& db, const QDate& from, const QDate& to);

// The printed rows of a built report, then "Total general :" with the sums
// of every row and the stock and value of the last printed row.
CsvTable csv(const Report& report, const QDate& from);

} // namespace TRepPangarFrm
