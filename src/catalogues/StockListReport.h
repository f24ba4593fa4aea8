#pragma once

#include "printing/CsvTable.h"
#include "printing/ReportFrame.h"

#include <QDate>
#include <QSqlDatabase>
#include <memory>

// The goods the parish holds on a date: those that had entered by that date
// (or have no entry date) and had not left by it (no exit date, or a later
// one), by name, numbered, with quantity, unit, price, value and the total
// value, under the parish's name, deanery and address.
namespace StockListReport
{

// Throws DbError when the store fails.
std::unique_ptr<Report> build(const QSqlDatabase& db, const QDate& date);

// The name shown for an item: its name, and " - " with its description when it has one.
QString shownName(const QString& name, const QString& description);

CsvTable csv(const Report& report);

} // namespace StockListReport
