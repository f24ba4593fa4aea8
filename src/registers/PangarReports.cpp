#include "registers/PangarReports.h"

#include "db/Connection.h"
#include "printing/ReportCatalog.h"
#include "registers/CalculPangarUnt.h"
#include "registers/RepPangarUnt.h"

void registerPangarReports(ReportCatalog& catalog)
{
    ReportEntry candleShop;
    candleShop.name = QStringLiteral("registru-pangar");
    candleShop.caption = TRepPangarFrm::reportTitle;
    candleShop.command = QStringLiteral("RegPangar");
    candleShop.asksPeriod = true;
    candleShop.defaults = {8, QPageLayout::Portrait};
    candleShop.prepare = [](const ReportAnswers&, Progress& progress) {
        CalculPangar(Connection::database(), progress);
    };
    candleShop.build = [](const ReportAnswers& answers) {
        return TRepPangarFrm::build(Connection::database(), answers.from, answers.to);
    };
    candleShop.csv = [](const Report& report, const ReportAnswers& answers) {
        return TRepPangarFrm::csv(report, answers.from);
    };
    catalog.add(std::move(candleShop));
}
