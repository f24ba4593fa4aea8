#pragma once

#include "contributions/ArrearsQuery.h"
#include "printing/CsvTable.h"
#include "printing/ReportFrame.h"

#include <QDate>
#include <QSqlDatabase>
#include <memory>

// The contribution situation (every family's due, paid and remainder at a
// reference date, each receipt listed under its family when asked) and the
// arrears list (only the families that still owe, numbered without gaps).
namespace ContributionSituation
{

struct Options {
    QDate referenceDate;
    Contributions::ArrearsOrder order = Contributions::ArrearsOrder::ByName;
    bool receipts = true;       // the receipt lines under each family
    bool compoundNames = false; // "name (code)" in the name cells
};

// Throws DbError when the store fails, UserError when the contribution income code is not set.
std::unique_ptr<Report> buildSituation(const QSqlDatabase& db, const Options& options);
std::unique_ptr<Report> buildArrearsList(const QSqlDatabase& db, const QDate& referenceDate,
                                         bool compoundNames);

// The printed rows: each family's line, and after it (in the situation,
// when shown) its receipts with the number, date, kind and explanation under
// the name and the amount under "Incasata".
CsvTable situationCsv(const Report& report);
CsvTable arrearsListCsv(const Report& report);

} // namespace ContributionSituation
