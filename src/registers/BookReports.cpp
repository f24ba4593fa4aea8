#include "registers/BookReports.h"

#include "catalogues/CatalogSelect.h"
#include "registers/CalculRegUnt.h"
#include "registers/PeriodReportEntry.h"
#include "registers/RepRegCasaUnt.h"
#include "registers/RepRegPartiziUnt.h"

namespace
{

ReportEntry book(const QString& name, const QString& caption, const QString& command,
                 const BookAccount& account)
{
    return periodReportEntry({
        .name = name,
        .caption = caption,
        .command = command,
        // The books name no defaults in the status line.
        .defaults = {.fontSize = 8, .orientation = QPageLayout::Portrait, .announced = false},
        .computation = wholeTable(CalculRegistru),
        .build =
            [&account](const QSqlDatabase& db, const ReportAnswers& answers) {
                return TRepRegCasaFrm::build(db, account, answers.from, answers.to);
            },
        .csv =
            [&account](const Report& report, const ReportAnswers& answers) {
                return TRepRegCasaFrm::csv(report, account, answers.from);
            },
    });
}

// The code as the command line or the picker gives it: a catalogue code,
// checked against the catalogue before the report runs.
int typeCode(const ReportAnswers& answers)
{
    return qRound(answers.code.toDouble());
}

using Picker = bool (*)(QWidget*, int&);

ReportCodeQuestion typeQuestion(const QString& table, const QString& field, Picker picker)
{
    return {table, field, [picker](QWidget* caller) -> std::optional<QString> {
                int code = 0;
                if (!picker(caller, code))
                    return std::nullopt;
                return QString::number(code);
            }};
}

// The expense ledger's work table holds the type's payments and salary
// orders before the ledger reads it; the income ledger reads its rows directly.
PeriodReport::Computation ledgerComputation(const LedgerKind& kind)
{
    if (kind.source != LedgerKind::Source::ExpenseRegister)
        return {};
    return [](const QSqlDatabase& db, const ReportAnswers& answers, Progress&) {
        CalculRegistruPartizi(db, typeCode(answers));
    };
}

ReportEntry ledger(const QString& name, const QString& command, const LedgerKind& kind,
                   ReportCodeQuestion question)
{
    ReportEntry entry = periodReportEntry({
        .name = name,
        .caption = kind.title,
        .command = command,
        .defaults = {8, QPageLayout::Portrait},
        .computation = ledgerComputation(kind),
        .build =
            [&kind](const QSqlDatabase& db, const ReportAnswers& answers) {
                return TRepRegPartiziFrm::build(db, kind, typeCode(answers), answers.from, answers.to);
            },
        .csv = [&kind](const Report& report,
                       const ReportAnswers&) { return TRepRegPartiziFrm::csv(report, kind); },
    });
    entry.code = std::move(question);
    return entry;
}

} // namespace

void registerBookReports(ReportCatalog& catalog)
{
    catalog.add(book(QStringLiteral("registru-casa"), QStringLiteral("Registru de casa"),
                     QStringLiteral("RegCasa"), BookAccount::cash()));
    catalog.add(book(QStringLiteral("registru-banca"), QStringLiteral("Registru de banca"),
                     QStringLiteral("RegBanca"), BookAccount::bank()));

    catalog.add(
        ledger(QStringLiteral("fisa-venituri"), QStringLiteral("RegPartiziVenituri"), LedgerKind::incomes(),
               typeQuestion(QStringLiteral("Tip_venituri"), QStringLiteral("Cod_venit"), SelectTipVenit)));
    catalog.add(ledger(QStringLiteral("fisa-cheltuieli"), QStringLiteral("RegPartiziCheltuieli"),
                       LedgerKind::expenses(),
                       typeQuestion(QStringLiteral("Tip_cheltuieli"), QStringLiteral("Cod_cheltuiala"),
                                    SelectTipCheltuiala)));
}
