#pragma once

#include "journal/JournalEntry.h"
#include "printing/CsvTable.h"
#include "printing/ReportFrame.h"

#include <QDate>
#include <QSqlDatabase>
#include <memory>

class ReportCatalog;

// The journal of changes read back: every entry written in a period (all
// tables, or one), with its moment, person, table, document, action and what
// changed ("Valoarea: 150,00 -> 120,00").
namespace JournalReport
{

std::unique_ptr<Report> build(const QSqlDatabase& db, const QDate& from, const QDate& to, const QString& table);
CsvTable csv(const Report& report);

// The "Changes" text of one entry.
QString changesText(const JournalEntry& entry);

} // namespace JournalReport

// Registers "jurnal" in the catalogue of reports.
void registerJournalReports(ReportCatalog& catalog);
