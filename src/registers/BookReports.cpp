#include "registers/BookReports.h"

#include "catalogues/CatalogSelect.h"
#include "db/Connection.h"
#include "printing/ReportCatalog.h"
#include "registers/CalculRegUnt.h"
#include "registers/RepRegCasaUnt.h"
#include "registers/RepRegPartiziUnt.h"

namespace
{

ReportEntry book(const QString& name, const QString& caption, const QString& command,
                 const BookAccount& account)
{
    ReportEntry entry;
    entry.name = name;
    entry.caption = caption;
    entry.command = command;
    entry.asksPeriod = true;
    entry.defaults = {8, QPageLayout::Portrait};
    entry.prepare = [](const ReportAnswers&, Progress& progress) {
        CalculRegistru(Connection::database(), progress);
    };
    entry.build = [&account](const ReportAnswers& answers) {
        return TRepRegCasaFrm::build(Connection::database(), account, answers.from, answers.to);
    };
    entry.csv = [&account](const Report& report, const ReportAnswers& answers) {
        return TRepRegCasaFrm::csv(report, account, answers.from);
    };
    return entry;
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

ReportEntry ledger(const QString& name, const QString& command, const LedgerKind& kind,
                   ReportCodeQuestion question)
{
    ReportEntry entry;
    entry.name = name;
    entry.caption = kind.title;
    entry.command = command;
    entry.asksPeriod = true;
    entry.code = std::move(question);
    entry.defaults = {8, QPageLayout::Portrait};
    entry.build = [&kind](const ReportAnswers& answers) {
        return TRepRegPartiziFrm::build(Connection::database(), kind, typeCode(answers), answers.from,
                                        answers.to);
    };
    entry.csv = [&kind](const Report& report, const ReportAnswers&) {
        return TRepRegPartiziFrm::csv(report, kind);
    };
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
    ReportEntry expenses = ledger(QStringLiteral("fisa-cheltuieli"), QStringLiteral("RegPartiziCheltuieli"),
                                  LedgerKind::expenses(),
                                  typeQuestion(QStringLiteral("Tip_cheltuieli"),
                                               QStringLiteral("Cod_cheltuiala"), SelectTipCheltuiala));
    // The work table holds the type's payments and salary orders before the ledger reads it.
    expenses.prepare = [](const ReportAnswers& answers, Progress&) {
        CalculRegistruPartizi(Connection::database(), typeCode(answers));
    };
    catalog.add(std::move(expenses));
}
