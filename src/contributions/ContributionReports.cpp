#include "contributions/ContributionReports.h"

#include "contributions/ContributionListLayout.h"
#include "contributions/ContributionSheet.h"
#include "contributions/ContributionSituation.h"
#include "contributions/ParishionerList.h"
#include "db/Connection.h"
#include "printing/ReportCatalog.h"

namespace
{

const QString byCodeKey = QStringLiteral("ordine-cod");
const QString receiptsKey = QStringLiteral("detaliere");

// All four print in Arial 8 on portrait A4.
const ReportFrame::Defaults listDefaults{.fontSize = 8, .orientation = QPageLayout::Portrait};

// The reports at a reference date: the calendar proposes today, the
// command line's --to gives it (31 December of the working year by default).
ReportEntry referenceDateEntry(QString name, QString caption, QString command)
{
    ReportEntry entry;
    entry.name = std::move(name);
    entry.caption = std::move(caption);
    entry.command = std::move(command);
    entry.asksReferenceDate = true;
    entry.defaults = listDefaults;
    return entry;
}

} // namespace

void registerContributionReports(ReportCatalog& catalog, CodePicker pickParishioner)
{
    ReportEntry situation = referenceDateEntry(QStringLiteral("situatie-contributii"),
                                               QStringLiteral("Situatia contributiei - toate contributiile"),
                                               QStringLiteral("ContributiaToate"));
    situation.questions = {
        {byCodeKey,
         QStringLiteral(
             "Doriti afisarea in ordinea codului de enorias (alegeti No pentru ordonare alfabetica)?"),
         false},
        {receiptsKey, QStringLiteral("Doriti sa se afiseze si detalierea incasarilor?"), true},
    };
    situation.build = [](const ReportAnswers& answers) {
        return ContributionSituation::buildSituation(
            Connection::database(), {.referenceDate = answers.to,
                                     .order = answers.yes(byCodeKey) ? Contributions::ArrearsOrder::ByCode
                                                                     : Contributions::ArrearsOrder::ByName,
                                     .receipts = answers.yes(receiptsKey),
                                     .compoundNames = ContributionListLayout::compoundNamesOption()});
    };
    situation.csv = [](const Report& report, const ReportAnswers&) {
        return ContributionSituation::situationCsv(report);
    };
    catalog.add(std::move(situation));

    ReportEntry arrears =
        referenceDateEntry(QStringLiteral("restante"), QStringLiteral("Restante contributie"),
                           QStringLiteral("RestanteContributie"));
    arrears.build = [](const ReportAnswers& answers) {
        return ContributionSituation::buildArrearsList(Connection::database(), answers.to,
                                                       ContributionListLayout::compoundNamesOption());
    };
    arrears.csv = [](const Report& report, const ReportAnswers&) {
        return ContributionSituation::arrearsListCsv(report);
    };
    catalog.add(std::move(arrears));

    ReportEntry sheet;
    sheet.name = QStringLiteral("fisa-contributie");
    sheet.caption = QStringLiteral("Situatia contributiei unui enorias");
    sheet.command = QStringLiteral("ContributiaSelectiv");
    sheet.code = ReportCodeQuestion{QStringLiteral("Enoriasi"), QStringLiteral("Cod_enorias"),
                                    std::move(pickParishioner)};
    sheet.defaults = listDefaults;
    sheet.build = [](const ReportAnswers& answers) {
        return ContributionSheet::build(Connection::database(), answers.code,
                                        ContributionListLayout::compoundNamesOption());
    };
    sheet.csv = [](const Report& report, const ReportAnswers&) { return ContributionSheet::csv(report); };
    catalog.add(std::move(sheet));

    ReportEntry list;
    list.name = QStringLiteral("lista-enoriasi");
    list.caption = QStringLiteral("Lista enoriasilor");
    list.command = QStringLiteral("ListaEnoriasilor");
    list.defaults = listDefaults;
    list.build = [](const ReportAnswers&) {
        return ParishionerList::build(Connection::database(), ContributionListLayout::compoundNamesOption());
    };
    list.csv = [](const Report& report, const ReportAnswers&) { return ParishionerList::csv(report); };
    catalog.add(std::move(list));
}
