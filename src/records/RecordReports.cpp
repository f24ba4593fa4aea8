#include "records/RecordReports.h"

#include "core/ProgramFolder.h"
#include "core/ProgramOptions.h"
#include "core/UserDialogs.h"
#include "db/Connection.h"
#include "printing/ReportCatalog.h"
#include "records/RecordCardReport.h"
#include "records/SacramentRegister.h"

namespace
{

using TRepFisaEnoriasFrm::Kind;

const QString separatePagesKey = QStringLiteral("pagini-separate");
const ReportFrame::Defaults landscape{10, QPageLayout::Landscape};

TRepFisaEnoriasFrm::Options optionsFor(Kind kind, const ReportAnswers& answers)
{
    return {
        .kind = kind,
        .code = answers.code,
        .separatePages = kind == Kind::RecordCard && answers.yes(separatePagesKey),
        .compoundNames = ProgramOptions::read(programFolder() + ProgramOptions::fileName).compoundNames,
    };
}

ReportEntry familyReport(Kind kind, const CodePicker& pick)
{
    const bool card = kind == Kind::RecordCard;
    ReportEntry entry;
    entry.name = card ? QStringLiteral("fisa-evidenta") : QStringLiteral("fisa-familie");
    entry.caption = card ? QStringLiteral("Fisa de evidenta a familiei") : QStringLiteral("Foaia familiala");
    entry.command = card ? QStringLiteral("FiseleSelectiv") : QStringLiteral("FoileSelectiv");
    entry.commandForAll = card ? QStringLiteral("FiseleToate") : QStringLiteral("FoileToate");
    entry.code = ReportCodeQuestion{QStringLiteral("Enoriasi"), QStringLiteral("Cod_enorias"), pick, true};
    if (card)
        entry.questions << ReportYesNoQuestion{separatePagesKey, TRepFisaEnoriasFrm::separatePagesQuestion,
                                               false};
    entry.defaults = landscape;
    entry.build = [kind](const ReportAnswers& answers) {
        return TRepFisaEnoriasFrm::build(Connection::database(), optionsFor(kind, answers));
    };
    // A record card's sections have columns of their own; the family sheet is one table.
    if (!card)
        entry.csv = [kind](const Report& report, const ReportAnswers& answers) {
            return TRepFisaEnoriasFrm::membersCsv(report, optionsFor(kind, answers));
        };
    return entry;
}

ReportEntry registerReport(const QString& name, const QString& command, const SacramentRegister& r)
{
    ReportEntry entry;
    entry.name = name;
    entry.caption = r.reportTitle;
    entry.command = command;
    entry.defaults = landscape;
    entry.build = [&r](const ReportAnswers&) { return TRepRegActeFrm::build(Connection::database(), r); };
    entry.csv = [&r](const Report& report, const ReportAnswers&) { return TRepRegActeFrm::csv(report, r); };
    return entry;
}

void print(QWidget* caller, Kind kind, const QString& code)
{
    ReportAnswers answers;
    answers.code = code;
    ReportFrame::run(caller, landscape, [&] {
        // Asked after the print setup, before the data is read.
        if (kind == Kind::RecordCard)
            answers.yesNo.insert(separatePagesKey,
                                 dialogs().question(TRepFisaEnoriasFrm::separatePagesQuestion));
        return TRepFisaEnoriasFrm::build(Connection::database(), optionsFor(kind, answers));
    });
}

} // namespace

void registerRecordReports(ReportCatalog& catalog, CodePicker pick)
{
    catalog.add(familyReport(Kind::RecordCard, pick));
    catalog.add(familyReport(Kind::FamilySheet, pick));
    catalog.add(registerReport(QStringLiteral("registru-botezati"), QStringLiteral("RegBotezuri"),
                               SacramentRegister::baptisms()));
    catalog.add(registerReport(QStringLiteral("registru-cununati"), QStringLiteral("RegCasatorii"),
                               SacramentRegister::marriages()));
    catalog.add(registerReport(QStringLiteral("registru-decedati"), QStringLiteral("RegInmormantari"),
                               SacramentRegister::burials()));
}

void printRecordCard(QWidget* caller, const QString& code)
{
    print(caller, Kind::RecordCard, code);
}

void printFamilySheet(QWidget* caller, const QString& code)
{
    print(caller, Kind::FamilySheet, code);
}
