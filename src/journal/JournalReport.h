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
// The printed rows; a person's name, address and remarks (PersonalFields)
// show as "(date personale)" unless `withPersonalData`.
CsvTable csv(const Report& report, bool withPersonalData = false);

// The question of the report (and --with-personal-data on the command line)
// whose yes puts the personal data into the CSV.
inline const QString personalDataKey = QStringLiteral("date-personale");

// The "Changes" text of one entry; `hidePersonal` shows personal values as "(date personale)".
QString changesText(const JournalEntry& entry, bool hidePersonal = false);

} // namespace JournalReport

// Registers "jurnal" in the catalogue of reports.
void registerJournalReports(ReportCatalog& catalog);
