#pragma once

#include "printing/CsvTable.h"
#include "printing/ReportFrame.h"

#include <QDate>
#include <QSqlDatabase>
#include <memory>

// The register of receipts and payments through the cash desk and the bank
// account, printed from the register work table (CalculRegistru): landscape,
// fifteen numbered columns, the page sums carried from page to page.
// Holds no window: a report's unit, named as in the older program.
namespace TRepRegFrm
{

inline const QString caption = QStringLiteral("Raport registru");
inline const QString reportTitle = QStringLiteral("Raport registru incasari si plati");
inline const QString heading =
    QStringLiteral("REGISTRU PENTRU EVIDENTA OPERATIUNILOR DE INCASARI SI PLATI PRIN CASA SI PRIN CONT");

// Drops the work table's rows after `to` and builds the report of the
// period. The rows before `from` are not printed but count in every sum and
// balance; a period without a row of its own gives a report without pages.
// Throws DbError.
std::unique_ptr<Report> build(const QSqlDatabase& db, const QDate& from, const QDate& to);

// The printed rows of a built report, then "Total general :" with the sums
// of every row and the balances of the last printed row.
CsvTable csv(const Report& report, const QDate& from);

} // namespace TRepRegFrm
