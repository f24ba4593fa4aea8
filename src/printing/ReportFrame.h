#pragma once

#include "printing/CsvTable.h"
#include "printing/PageModel.h"
#include "printing/ReportModel.h"

#include <deque>
#include <functional>
#include <memory>

class QWidget;

// A report with the tables it prints (its bands point into them).
struct Report {
    ReportDefinition definition;
    std::deque<ReportTable> tables;
    // Shown in an error box instead of the preview or the printer when the
    // report's data has no row; empty for reports that run anyway.
    QString noRowsMessage;

    const ReportTable* keep(ReportTable table)
    {
        tables.push_back(std::move(table));
        return &tables.back();
    }
};

// The sequence every report runs in: its defaults, the print setup, the
// opening of its data (a store error is shown and nothing printed), then the
// preview or the printer, with " Listez..." and " OK." in the status line.
namespace ReportFrame
{

struct Defaults {
    int fontSize = 10;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    // The status line names Arial 8 defaults, unless the report keeps quiet about them.
    bool announced = true;
};

// The report's defaults: font "Arial" in its size, A4, its orientation, the
// other print settings as they are; the status line names announced Arial 8 defaults.
void applyDefaults(const Defaults& defaults);

// The CSV table of a built report, for the preview's "Salveaza CSV".
using CsvOfReport = std::function<CsvTable(const Report&)>;

// `open` reads the report's data and builds it; it throws DbError when the store fails.
// A report whose elements depend on the page's width places them in its
// definition's onStart, which runs at layout time, after applyPrintSettings.
// A report with a `csv` can be saved as CSV from the preview.
void run(QWidget* caller, const Defaults& defaults, const std::function<std::unique_ptr<Report>()>& open,
         const CsvOfReport& csv = {});

// Puts the print settings' font, paper and orientation on the report and on
// the printer, measures the printer's printable area again and gives the
// report the chosen margins, each raised to the printer's minimum. A report
// is laid out only after this, so it fills the page the user chose.
void applyPrintSettings(ReportDefinition& report);

// The pages the preview shows: the report laid out with the print settings applied.
PageModel layOut(Report& report);

// Writes the report, the print settings applied, into a PDF file a page at a
// time (no page is kept in memory). Returns the number of pages; with none,
// no file is written. Throws IoError.
int writePdf(Report& report, const QString& filePath);

// Applies the print settings to the report and previews or prints it.
void RunReport(Report& report, QWidget* caller, const CsvOfReport& csv = {});

} // namespace ReportFrame
