#include "printing/ReportFrame.h"

#include "core/BusyCursor.h"
#include "core/DbErrorText.h"
#include "core/StatusLine.h"
#include "core/UserDialogs.h"
#include "db/DbError.h"
#include "printing/PagePainter.h"
#include "printing/PrintSettings.h"
#include "printing/PrinterAccess.h"
#include "printing/ReportLayout.h"
#include "printing/ReportPreview.h"

#include <QApplication>
#include <QWidget>
#include <optional>

namespace ReportFrame
{

void applyDefaults(const Defaults& defaults)
{
    PrintSettings& s = printSettings();
    s.fontName = QStringLiteral("Arial");
    s.fontSize = defaults.fontSize;
    s.pitch = PrintSettings::Pitch::Default;
    s.paper = QPageSize::A4;
    s.orientation = defaults.orientation;
    if (defaults.announced && defaults.fontSize == 8)
        ShowStatus(defaults.orientation == QPageLayout::Landscape
                       ? QStringLiteral("Parametrii de listare impliciti: Arial, 8, A4, Peisaj")
                       : QStringLiteral("Parametrii de listare impliciti: Arial, 8, A4, Portret"));
}

void run(QWidget* caller, const Defaults& defaults, const std::function<std::unique_ptr<Report>()>& open,
         const CsvOfReport& csv)
{
    applyDefaults(defaults);
    if (!dialogs().printSetup(caller)) {
        ShowStatus(QStringLiteral(" OK."));
        return;
    }

    if (caller)
        caller->repaint();
    ShowStatus(QStringLiteral(" Listez..."));
    BusyCursor busy(true);
    std::unique_ptr<Report> report;
    try {
        report = open();
    } catch (const DbError& e) {
        busy.release();
        dialogs().error(DbErrorText::forReport(e.text()));
        return;
    }
    busy.release();
    const ReportTable* data = report->definition.data;
    if (!report->noRowsMessage.isEmpty() && (!data || data->rowCount() == 0)) {
        dialogs().error(report->noRowsMessage); // the status line keeps " Listez..."
        return;
    }
    RunReport(*report, caller, csv);
    report.reset();
    ShowStatus(QStringLiteral(" OK."));
}

void applyPrintSettings(ReportDefinition& def)
{
    PrintSettings& s = printSettings();
    QFont font(s.fontName.isEmpty() ? QStringLiteral("Arial") : s.fontName, s.fontSize);
    if (s.pitch == PrintSettings::Pitch::Fixed)
        font.setFixedPitch(true);
    def.font = font;
    if (s.paper)
        def.paper = QPageSize(*s.paper);
    def.orientation = s.orientation;

    PrinterAccess& printer = printerAccess();
    printer.setPaper(def.paper);
    printer.setOrientation(def.orientation);
    rememberMinimumMargins(s, printer.printableArea());
    // A margin the printer cannot reach is raised to its printable minimum.
    def.margins = QMarginsF(std::max(s.left, s.minimumLeft), std::max(s.top, s.minimumTop),
                            std::max(s.right, s.minimumRight), std::max(s.bottom, s.minimumBottom));
}

PageModel layOut(Report& report)
{
    applyPrintSettings(report.definition);
    return ReportLayout::run(report.definition);
}

int writePdf(Report& report, const QString& filePath)
{
    ReportDefinition& def = report.definition;
    applyPrintSettings(def);
    // The file is opened with the first page, so a report without one writes nothing.
    std::optional<PagePainter::PdfFile> file;
    const int pages = ReportLayout::write(def, [&](const Page& page) {
        if (!file)
            file.emplace(filePath, def.paper, def.orientation);
        file->add(page);
    });
    if (file)
        file->finish();
    return pages;
}

void RunReport(Report& report, QWidget* caller, const CsvOfReport& csv)
{
    ReportDefinition& def = report.definition;
    applyPrintSettings(def);
    if (printSettings().preview) {
        std::function<CsvTable()> csvOfThis;
        if (csv)
            csvOfThis = [&report, csv] { return csv(report); };
        TReportPreview preview(def, caller, csvOfThis);
        preview.exec();
        return;
    }
    printReport(ReportLayout::run(def));
}

} // namespace ReportFrame
