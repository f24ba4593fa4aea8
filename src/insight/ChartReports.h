#pragma once

#include "insight/ChartPictures.h"
#include "printing/ReportCatalog.h"

// The charts as reports of the catalogue, over a period: "grafic-lunar",
// "grafic-venituri", "grafic-cheltuieli", "grafic-contributii". The page is
// the chart under its title (a vector drawing); the CSV holds its figures:
// Luna;Incasari;Plati (months as MM.YYYY), Cod;Denumire;Suma (the ten
// largest types, then "Altele"), Luna;Cuvenita;Incasata.
void registerChartReports(ReportCatalog& catalog);

// The report of one chart over a period, on the program's database.
std::unique_ptr<Report> buildChartReport(ChartPictures::Kind kind, const QDate& from, const QDate& to);

// The figures of one chart, as its CSV carries them.
CsvTable chartFigures(ChartPictures::Kind kind, const QSqlDatabase& db, const QDate& from, const QDate& to);
