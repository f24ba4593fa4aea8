#include "registers/RegisterReports.h"

#include "db/Connection.h"
#include "printing/ReportCatalog.h"
#include "registers/CalculRegUnt.h"
#include "registers/RepRegUnt.h"

void registerRegisterReports(ReportCatalog& catalog)
{
    ReportEntry receiptsAndPayments;
    receiptsAndPayments.name = QStringLiteral("registru-incasari-plati");
    receiptsAndPayments.caption = TRepRegFrm::reportTitle;
    receiptsAndPayments.command = QStringLiteral("RegIncasariPlati");
    receiptsAndPayments.asksPeriod = true;
    receiptsAndPayments.defaults = {8, QPageLayout::Landscape};
    receiptsAndPayments.prepare = [](const ReportAnswers&, Progress& progress) {
        CalculRegistru(Connection::database(), progress);
    };
    receiptsAndPayments.build = [](const ReportAnswers& answers) {
        return TRepRegFrm::build(Connection::database(), answers.from, answers.to);
    };
    receiptsAndPayments.csv = [](const Report& report, const ReportAnswers& answers) {
        return TRepRegFrm::csv(report, answers.from);
    };
    catalog.add(std::move(receiptsAndPayments));
}
