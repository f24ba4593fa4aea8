#include "catalogues/StockReports.h"

#include "catalogues/StockListReport.h"
#include "db/Connection.h"
#include "printing/ReportCatalog.h"

void registerStockReports(ReportCatalog& catalog)
{
    ReportEntry entry;
    entry.name = QStringLiteral("stoc");
    entry.caption = QStringLiteral("Raport lista stocurilor");
    entry.command = QStringLiteral("ListaStocurilor");
    // The calendar proposes today; the command line's --to gives the date.
    entry.asksReferenceDate = true;
    entry.defaults = {.fontSize = 8, .orientation = QPageLayout::Portrait};
    entry.build = [](const ReportAnswers& answers) {
        return StockListReport::build(Connection::database(), answers.to);
    };
    entry.csv = [](const Report& report, const ReportAnswers&) { return StockListReport::csv(report); };
    catalog.add(std::move(entry));
}
