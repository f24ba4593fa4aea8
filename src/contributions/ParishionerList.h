#pragma once

#include "printing/CsvTable.h"
#include "printing/ReportFrame.h"

#include <QSqlDatabase>
#include <memory>

// Every parishioner, numbered, with his street and house number, in the
// order of the parishioners' primary key (code first, compared as text).
namespace ParishionerList
{

// Throws DbError when the store fails.
std::unique_ptr<Report> build(const QSqlDatabase& db, bool compoundNames);

CsvTable csv(const Report& report);

} // namespace ParishionerList
