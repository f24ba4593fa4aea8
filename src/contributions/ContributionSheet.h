#pragma once

#include "printing/CsvTable.h"
#include "printing/ReportFrame.h"

#include <QSqlDatabase>
#include <QString>
#include <memory>

// One parishioner's contribution sheet: every contribution receipt of the
// year in date order, each with the due before it and the remainder after
// it, starting from the carried arrears plus the yearly amount; a family
// without receipts gets one line showing that due.
namespace ContributionSheet
{

// Throws DbError when the store fails, UserError when the contribution
// income code is not set. An unknown code gives a report without pages.
std::unique_ptr<Report> build(const QSqlDatabase& db, const QString& parishionerCode, bool compoundNames);

CsvTable csv(const Report& report);

} // namespace ContributionSheet
