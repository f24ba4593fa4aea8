#include "registers/PangarReports.h"

#include "registers/CalculPangarUnt.h"
#include "registers/PeriodReportEntry.h"
#include "registers/RepPangarUnt.h"

void registerPangarReports(ReportCatalog& catalog)
{
    catalog.add(periodReportEntry({
        .name = QStringLiteral("registru-pangar"),
        .caption = TRepPangarFrm::reportTitle,
        .command = QStringLiteral("RegPangar"),
        .defaults = {8, QPageLayout::Portrait},
        .computation = wholeTable(CalculPangar),
        .build =
            [](const QSqlDatabase& db, const ReportAnswers& answers) {
                return TRepPangarFrm::build(db, answers.from, answers.to);
            },
        .csv = [](const Report& report,
                  const ReportAnswers& answers) { return TRepPangarFrm::csv(report, answers.from); },
    }));
}
