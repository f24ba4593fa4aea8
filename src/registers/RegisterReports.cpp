#include "registers/RegisterReports.h"

#include "registers/CalculRegUnt.h"
#include "registers/PeriodReportEntry.h"
#include "registers/RepRegUnt.h"

void registerRegisterReports(ReportCatalog& catalog)
{
    catalog.add(periodReportEntry({
        .name = QStringLiteral("registru-incasari-plati"),
        .caption = TRepRegFrm::reportTitle,
        .command = QStringLiteral("RegIncasariPlati"),
        .defaults = {8, QPageLayout::Landscape},
        .computation = wholeTable(CalculRegistru),
        .build = [](const QSqlDatabase& db,
                    const ReportAnswers& answers) { return TRepRegFrm::build(db, answers.from, answers.to); },
        .csv = [](const Report& report,
                  const ReportAnswers& answers) { return TRepRegFrm::csv(report, answers.from); },
    }));
}
