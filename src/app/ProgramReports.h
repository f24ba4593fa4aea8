#pragma once

class QWidget;
class ReportCatalog;
struct ReportEntry;

// The catalogue of every report of the program, filled once by the
// subsystems' registration functions.
const ReportCatalog& programReports();

// Runs a report from the menus: its questions through the program's dialogs
// (a cancelled one ends the command), its computation behind a progress
// window, then the report frame (print setup, preview or printer). A failed
// computation throws and no report follows. With `everyRow` an optional code
// is not asked: the report covers every row.
void runReportInteractively(const ReportEntry& entry, QWidget* caller, bool everyRow = false);
