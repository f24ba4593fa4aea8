#pragma once

#include "printing/ReportCatalog.h"

#include <QSqlDatabase>

// A catalogue entry of a report over a period, run on the program's database.
struct PeriodReport {
    QString name;    // command-line name
    QString caption; // shown by --list-reports
    QString command; // the main window's menu command
    ReportFrame::Defaults defaults;
    // Fills the report's work table before it is built; may be empty.
    using Computation = std::function<void(const QSqlDatabase&, const ReportAnswers&, Progress&)>;
    Computation computation;
    std::function<std::unique_ptr<Report>(const QSqlDatabase&, const ReportAnswers&)> build;
    std::function<CsvTable(const Report&, const ReportAnswers&)> csv;
};

ReportEntry periodReportEntry(PeriodReport report);

// A computation over the whole work table, whatever the answers.
PeriodReport::Computation wholeTable(void (*computation)(const QSqlDatabase&, Progress&));
