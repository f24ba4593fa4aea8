#include "registers/BalanceSheetReports.h"

#include "core/ProgramFolder.h"
#include "core/ProgramOptions.h"
#include "db/Connection.h"
#include "db/DateFormat.h"
#include "printing/ReportCatalog.h"
#include "registers/CalculBilantUnt.h"
#include "registers/RepBilantUnt.h"
#include "registers/RepBilantV2Unt.h"

namespace
{

const QString separatePageKey = QStringLiteral("cheltuieli-pagina-separata");

BalanceSheetReport::Period periodOf(const ReportAnswers& answers)
{
    return {DateFormat::toShortText(answers.from), DateFormat::toShortText(answers.to)};
}

ReportEntry entry(const QString& name, const QString& caption, bool firstLayout, const QString& amountField)
{
    ReportEntry e;
    e.name = name;
    e.caption = caption;
    e.asksPeriod = true;
    e.defaults = BalanceSheetReport::defaults;
    if (firstLayout)
        e.questions = {{separatePageKey, TRepBilantFrm::separatePageQuestion, true}};
    e.prepare = [](const ReportAnswers& answers, Progress& progress) {
        const bool inThousands =
            ProgramOptions::readBalanceInThousands(programFolder() + ProgramOptions::fileName, false);
        CalculBilantPerioada(Connection::database(), answers.from, answers.to, inThousands, progress);
    };
    e.build = [firstLayout, amountField](const ReportAnswers& answers) {
        if (!firstLayout)
            return TRepBilantV2Frm::build(Connection::database(), periodOf(answers), amountField);
        const bool separate = answers.yes(separatePageKey);
        return TRepBilantFrm::build(Connection::database(), periodOf(answers), amountField,
                                    [separate] { return separate; });
    };
    e.csv = [amountField](const Report& report, const ReportAnswers&) {
        return BalanceSheetReport::csv(report, amountField);
    };
    return e;
}

} // namespace

void registerBalanceSheetReports(ReportCatalog& catalog)
{
    using BalanceSheetReport::executionField;
    using BalanceSheetReport::forecastField;
    catalog.add(
        entry(QStringLiteral("bilant-v1"), QStringLiteral("Bilant v1 - executie"), true, executionField));
    catalog.add(
        entry(QStringLiteral("bilant-v2"), QStringLiteral("Bilant v2 - executie"), false, executionField));
    catalog.add(entry(QStringLiteral("bilant-v1-prevederi"), QStringLiteral("Bilant v1 - prevederi"), true,
                      forecastField));
    catalog.add(entry(QStringLiteral("bilant-v2-prevederi"), QStringLiteral("Bilant v2 - prevederi"), false,
                      forecastField));
}
