#include "app/CommandLine.h"

#include "app/InterruptedWork.h"
#include "app/ProtectionCommands.h"
#include "app/ProgramReports.h"
#include "core/FolderPresence.h"
#include "core/ProgramFolder.h"
#include "core/ProgramFolderChoice.h"
#include "core/Progress.h"
#include "core/UserError.h"
#include "core/Utilities.h"
#include "db/ConfiguredServer.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/DateFormat.h"
#include "db/DbError.h"
#include "db/SchemaUpgrade.h"
#include "db/Sql.h"
#include "db/WorkingYear.h"
#include "journal/ChangeJournal.h"
#include "journal/JournalReport.h"
#include "journal/JournalVerification.h"
#include "printing/EmptyReport.h"
#include "printing/ReportCatalog.h"
#include "printing/RuledColumns.h"
#include "records/PersonalDataExport.h"
#include "transfer/OldDataImport.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace
{

// A wrong argument: exit status 2.
struct BadArgument {
    QString text;
};

void printLine(FILE* stream, QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stream);
    std::fflush(stream);
}

QDate parseDate(const QString& text)
{
    for (const QString& format : {QStringLiteral("yyyy-MM-dd"), QStringLiteral("dd.MM.yyyy")}) {
        const QDate date = QDate::fromString(text, format);
        if (date.isValid())
            return date;
    }
    throw BadArgument{QStringLiteral("Data gresita: \"%1\" (se scrie 2024-03-01 sau 01.03.2024)").arg(text)};
}

// Why the parser refused the arguments, in the user's language: the
// parser's own texts are English.
QString parseFailure(const QCommandLineParser& parser, const QStringList& arguments)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        const QString& name = unknown.first();
        return QStringLiteral("Optiune necunoscuta: %1%2").arg(name.size() > 1 ? "--" : "-", name);
    }
    // The parser takes the next argument as an option's value, whatever it
    // is: a value goes missing only after the last one.
    const QString& last = arguments.last();
    if (last.startsWith(QLatin1String("--")) && !last.contains(QLatin1Char('=')))
        return QStringLiteral("Lipseste valoarea optiunii %1").arg(last);
    return QStringLiteral("Argumente gresite: %1").arg(arguments.mid(1).join(QLatin1Char(' ')));
}

struct Request {
    const ReportEntry* entry = nullptr;
    QDate from, to; // invalid when not given
    QString code, pdf, csv;
    bool withPersonalData = false;
};

// Checks what can be checked before the database is opened.
Request readRequest(const QCommandLineParser& parser, const QCommandLineOption& report,
                    const QCommandLineOption& from, const QCommandLineOption& to,
                    const QCommandLineOption& code, const QCommandLineOption& pdf,
                    const QCommandLineOption& csv)
{
    Request r;
    const QString name = parser.value(report);
    r.entry = programReports().find(name);
    if (!r.entry)
        throw BadArgument{
            QStringLiteral("Raport necunoscut: \"%1\" (lista: Lumivaret --list-reports)").arg(name)};
    if (parser.isSet(from))
        r.from = parseDate(parser.value(from));
    if (parser.isSet(to))
        r.to = parseDate(parser.value(to));
    r.code = parser.value(code);
    r.pdf = parser.value(pdf);
    r.csv = parser.value(csv);
    if (r.pdf.isEmpty() && r.csv.isEmpty())
        throw BadArgument{QStringLiteral("Lipseste fisierul rezultat: --pdf FISIER sau --csv FISIER")};
    if (!r.csv.isEmpty() && !r.entry->csv)
        throw BadArgument{QStringLiteral("Raportul %1 nu se exporta in CSV").arg(name)};
    if (r.entry->code && !r.entry->code->optional && r.code.isEmpty())
        throw BadArgument{QStringLiteral("Raportul %1 cere un cod: --code COD").arg(name)};
    if (!r.entry->code && parser.isSet(code))
        throw BadArgument{QStringLiteral("Raportul %1 nu cere un cod").arg(name)};
    if (r.entry->asksReferenceDate && parser.isSet(from))
        throw BadArgument{QStringLiteral("Raportul %1 cere doar data de referinta: --to DATA").arg(name)};
    if (!r.entry->asksPeriod && !r.entry->asksReferenceDate && (parser.isSet(from) || parser.isSet(to)))
        throw BadArgument{QStringLiteral("Raportul %1 nu cere o perioada").arg(name)};
    return r;
}

ReportAnswers answersFor(const Request& r, const QSqlDatabase& db)
{
    ReportAnswers answers;
    const ReportEntry& entry = *r.entry;
    if (entry.asksPeriod) {
        const int year = (r.from.isValid() && r.to.isValid()) ? 0 : workingYearOf(db);
        answers.from = r.from.isValid() ? r.from : QDate(year, 1, 1);
        answers.to = r.to.isValid() ? r.to : QDate(year, 12, 31);
        if (answers.from > answers.to)
            throw BadArgument{QStringLiteral("Perioada gresita: %1 este dupa %2")
                                  .arg(answers.from.toString(Qt::ISODate), answers.to.toString(Qt::ISODate))};
    }
    if (entry.asksReferenceDate)
        answers.to = r.to.isValid() ? r.to : QDate(workingYearOf(db), 12, 31);
    if (entry.code && !r.code.isEmpty()) {
        const QVariant found =
            Sql::scalar(db,
                        QStringLiteral("SELECT 1 FROM %1 WHERE %2 = :c")
                            .arg(Sql::name(db, entry.code->table), Sql::name(db, entry.code->field)),
                        {{QStringLiteral(":c"), r.code}});
        if (!found.isValid())
            throw BadArgument{QStringLiteral("Codul %1 nu exista in %2").arg(r.code, entry.code->table)};
        answers.code = r.code;
    }
    bool asksPersonalData = false;
    for (const ReportYesNoQuestion& question : entry.questions) {
        answers.yesNo.insert(question.key, question.defaultAnswer);
        asksPersonalData = asksPersonalData || question.key == JournalReport::personalDataKey;
    }
    if (r.withPersonalData) {
        if (!asksPersonalData)
            throw BadArgument{QStringLiteral("Raportul %1 nu are date personale de inclus").arg(entry.name)};
        answers.yesNo.insert(JournalReport::personalDataKey, true);
    }
    return answers;
}

// The page written instead of a report with nothing to print: its caption,
// its period and why it is empty.
std::unique_ptr<Report> emptyReport(const ReportEntry& entry, const ReportAnswers& answers,
                                    const Report& report)
{
    QString period;
    if (entry.asksPeriod)
        period = RuledColumns::periodText(answers.from, answers.to);
    else if (entry.asksReferenceDate)
        period = QStringLiteral("la data de ") + DateFormat::toShortText(answers.to);
    QString reason = report.noRowsMessage;
    if (reason.isEmpty())
        reason = entry.asksPeriod ? QStringLiteral("Nu exista documente in aceasta perioada.")
                                  : QStringLiteral("Nu exista date pentru acest raport.");
    return EmptyReport::build(entry.caption, period, reason);
}

// The working year's database file, or the server's when an address is given
// or the installation's options file names one.
void openWorkingYear(const QString& serverAddress)
{
    const QString address = serverAddress.isEmpty() ? ConfiguredServer::address() : serverAddress;
    if (address.isEmpty())
        Connection::open(DatabaseLocation::instance().workingYearDatabase());
    else
        Connection::openServer(address);
}

int runReport(const Request& r, const QString& serverAddress)
{
    const ReportEntry& entry = *r.entry;
    openWorkingYear(serverAddress);
    const QSqlDatabase db = Connection::database();
    SchemaUpgrade::upgrade(db);
    const ReportAnswers answers = answersFor(r, db);
    if (entry.prepare)
        entry.prepare(answers, noProgress());
    ReportFrame::applyDefaults(entry.defaults);
    std::unique_ptr<Report> report = entry.build(answers);
    if (!r.pdf.isEmpty()) {
        if (ReportFrame::writePdf(*report, r.pdf) == 0)
            ReportFrame::writePdf(*emptyReport(entry, answers, *report), r.pdf);
    }
    if (!r.csv.isEmpty())
        entry.csv(*report, answers).write(r.csv);
    return 0;
}

// Summary on standard output; a stopped import throws its ImportError (status 1).
int importOldData(const QString& folder, bool replaceDocuments)
{
    OldDataImport import(folder, programFolder());
    if (!QFileInfo(folder).isDir())
        throw BadArgument{import.folderProblem()};
    const OldDataImport::Outcome outcome = import.run(replaceDocuments);
    std::fputs(outcome.reportText.toUtf8().constData(), stdout);
    for (const QString& copy : outcome.keptCopies)
        printLine(
            stdout,
            QStringLiteral("Baza de date inlocuita este pastrata in %1").arg(QDir::toNativeSeparators(copy)));
    return 0;
}

// The verdict on standard output: 0 whole, 3 broken (a database that cannot be read throws: 1).
int verifyJournal()
{
    Connection::open(DatabaseLocation::instance().workingYearDatabase());
    const JournalVerification verification = JournalVerification::run(Connection::database());
    Connection::close();
    printLine(stdout, verification.text());
    return verification.isWhole() ? 0 : 3;
}

// What is held about a family, into the JSON file and (when given) the PDF.
int exportPerson(const QString& code, const QString& json, const QString& pdf)
{
    Connection::open(DatabaseLocation::instance().workingYearDatabase());
    const QSqlDatabase db = Connection::database();
    SchemaUpgrade::upgrade(db);
    if (!json.isEmpty())
        PersonalDataExport::writeJson(db, code, json);
    if (!pdf.isEmpty())
        PersonalDataExport::writePdf(db, code, pdf);
    return 0;
}

int listReports()
{
    for (const ReportEntry& entry : programReports().entries())
        printLine(stdout, entry.name + QLatin1Char('\t') + entry.caption);
    return 0;
}

// Qt's own notices (a missing runtime folder, fonts) would break the
// one-line contract of standard error; only its critical failures show.
void criticalOnly(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        printLine(stderr, message);
}

// Every option with one line, in the user's language.
QString helpText()
{
    return QStringLiteral(
        "Folosire: lumivaret [OPTIUNI]\n"
        "Fara optiuni deschide fereastra principala. Cu --report, --list-reports sau --import lucreaza\n"
        "fara fereastra si fara intrebari.\n"
        "\n"
        "  --folder DOSAR        lucreaza cu datele parohiei din DOSAR\n"
        "  --list-reports        scrie numele si titlul fiecarui raport\n"
        "  --report NUME         scrie raportul NUME (lista: --list-reports)\n"
        "  --from DATA           inceputul perioadei (01.03.2024 sau 2024-03-01); implicit 1 ianuarie\n"
        "  --to DATA             sfarsitul perioadei sau data de referinta; implicit 31 decembrie\n"
        "  --code COD            codul cerut de raport (tip de venit sau de cheltuiala)\n"
        "  --pdf FISIER          scrie raportul in fisierul PDF\n"
        "  --csv FISIER          scrie cifrele raportului in fisierul CSV\n"
        "  --with-personal-data  cu --report jurnal: numele si adresele enoriasilor si in CSV\n"
        "  --import DOSAR        aduce tabelele programului vechi din DOSAR\n"
        "  --replace             cu --import: inlocuieste o baza de date care are documente\n"
        "  --verify-journal      verifica jurnalul modificarilor (iesire 3 daca nu este intreg)\n"
        "  --export-person COD   scrie tot ce este inregistrat despre familia COD: cu --json FISIER\n"
        "                        (si/sau --pdf FISIER)\n"
        "  --protect             cripteaza datele parohiei cu parola din --password-file\n"
        "  --password-file FISIER  parola datelor protejate (primul rand al fisierului); altfel\n"
        "                        variabila LUMIVARET_PASSWORD\n"
        "  --server ADRESA       cu --report: datele de pe serverul PostgreSQL de la ADRESA\n"
        "                        (postgresql://utilizator@server:5432/baza; parola din ~/.pgpass)\n"
        "  --help, -h            scrie aceste randuri\n"
        "  --version             scrie versiunea programului\n"
        "\n"
        "Dosarul datelor: cel dat cu --folder; altfel, pentru programul instalat, cel din\n"
        "LUMIVARET_FOLDER sau ~/Lumivaret; pentru o copie pornita din dosarul ei, acel dosar.\n"
        "Iesire: 0 reusit, 1 baza de date sau un fisier nu pot fi citite sau scrise, 2 argument gresit,\n"
        "3 jurnalul modificarilor nu este intreg.\n");
}

} // namespace

CommandLineStart runCommandLine(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    // Read before any application object exists: help, the version and a
    // wrong argument need no display, and the main window must not open on them.
    QCommandLineParser parser;
    const QCommandLineOption folder(QStringLiteral("folder"), {}, QStringLiteral("DOSAR"));
    const QCommandLineOption list(QStringLiteral("list-reports"));
    const QCommandLineOption report(QStringLiteral("report"), {}, QStringLiteral("NUME"));
    const QCommandLineOption from(QStringLiteral("from"), {}, QStringLiteral("DATA"));
    const QCommandLineOption to(QStringLiteral("to"), {}, QStringLiteral("DATA"));
    const QCommandLineOption code(QStringLiteral("code"), {}, QStringLiteral("COD"));
    const QCommandLineOption pdf(QStringLiteral("pdf"), {}, QStringLiteral("FISIER"));
    const QCommandLineOption csv(QStringLiteral("csv"), {}, QStringLiteral("FISIER"));
    const QCommandLineOption import(QStringLiteral("import"), {}, QStringLiteral("DOSAR"));
    const QCommandLineOption replace(QStringLiteral("replace"));
    const QCommandLineOption help(QStringList{QStringLiteral("help"), QStringLiteral("h")});
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption verify(QStringLiteral("verify-journal"));
    const QCommandLineOption exportPersonOption(QStringLiteral("export-person"), {}, QStringLiteral("COD"));
    const QCommandLineOption json(QStringLiteral("json"), {}, QStringLiteral("FISIER"));
    const QCommandLineOption withPersonalData(QStringLiteral("with-personal-data"));
    const QCommandLineOption protect(QStringLiteral("protect"));
    const QCommandLineOption passwordFile(QStringLiteral("password-file"), {}, QStringLiteral("FISIER"));
    const QCommandLineOption server(QStringLiteral("server"), {}, QStringLiteral("ADRESA"));
    parser.addOptions({folder, list, report, from, to, code, pdf, csv, import, replace, help, version, verify,
                       exportPersonOption, json, withPersonalData, protect, passwordFile, server});
    try {
        if (!parser.parse(arguments))
            throw BadArgument{parseFailure(parser, arguments)};
        if (!parser.positionalArguments().isEmpty())
            throw BadArgument{
                QStringLiteral("Argument necunoscut: %1").arg(parser.positionalArguments().first())};
        if (parser.isSet(help)) {
            std::fputs(helpText().toUtf8().constData(), stdout);
            return {0, {}};
        }
        if (parser.isSet(version)) {
            printLine(stdout, QStringLiteral("Lumivaret ") + formatRunningVersion(ReadProgramVersion()));
            return {0, {}};
        }
        if (parser.isSet(folder) && parser.value(folder).trimmed().isEmpty())
            throw BadArgument{QStringLiteral("Lipseste dosarul optiunii --folder")};
        const bool exportsPerson = parser.isSet(exportPersonOption);
        if (exportsPerson && (parser.isSet(list) || parser.isSet(report) || parser.isSet(import) || parser.isSet(verify)))
            throw BadArgument{QStringLiteral("--export-person merge doar cu --json FISIER si --pdf FISIER")};
        if (exportsPerson && !parser.isSet(json) && !parser.isSet(pdf))
            throw BadArgument{QStringLiteral("--export-person cere --json FISIER (si/sau --pdf FISIER)")};
        if (parser.isSet(json) && !exportsPerson)
            throw BadArgument{QStringLiteral("--json merge doar cu --export-person COD")};
        for (const QCommandLineOption* reportOnly : {&from, &to, &code, &pdf, &csv, &withPersonalData, &server})
            if (parser.isSet(*reportOnly) && !parser.isSet(report) && !(exportsPerson && reportOnly == &pdf))
                throw BadArgument{QStringLiteral("--%1 merge doar cu --report NUME").arg(reportOnly->names().first())};
        if (parser.isSet(list) && parser.isSet(report))
            throw BadArgument{QStringLiteral("--list-reports si --report nu merg impreuna")};
        if (parser.isSet(import) && (parser.isSet(list) || parser.isSet(report)))
            throw BadArgument{QStringLiteral("--import nu merge impreuna cu --report sau --list-reports")};
        if (parser.isSet(verify) && (parser.isSet(list) || parser.isSet(report) || parser.isSet(import)))
            throw BadArgument{QStringLiteral("--verify-journal merge doar singur (cu --folder DOSAR)")};
        if (parser.isSet(protect) && (parser.isSet(list) || parser.isSet(report) || parser.isSet(import) ||
                                      parser.isSet(verify) || exportsPerson))
            throw BadArgument{QStringLiteral("--protect merge doar cu --password-file FISIER (si --folder DOSAR)")};
        if (parser.isSet(replace) && !parser.isSet(import))
            throw BadArgument{QStringLiteral("--replace merge doar cu --import DOSAR")};
    } catch (const BadArgument& bad) {
        printLine(stderr, bad.text);
        return {2, {}};
    }
    if (!parser.isSet(list) && !parser.isSet(report) && !parser.isSet(import) && !parser.isSet(verify) &&
        !parser.isSet(exportPersonOption) && !parser.isSet(protect))
        return {std::nullopt, parser.value(folder)};

    qInstallMessageHandler(criticalOnly);
    // No window is ever shown here, and there may be no display at all.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumivaret"));
    // The database is the program folder's; the files named on the command
    // line stay relative to the folder the command was given in.
    setProgramFolder(chooseProgramFolder(parser.value(folder)));
    FolderPresence::enter(programFolder());
    ChangeJournal::install();
    try {
        // The catalogue of reports reads no data: it needs no password (the
        // work cut short that a start finishes by renames is finished all the same).
        if (parser.isSet(list)) {
            finishInterruptedWork(programFolder());
            return {listReports(), {}};
        }
        if (parser.isSet(protect)) {
            finishInterruptedWork(programFolder());
            return {ProtectionCommands::protectFromCommandLine(programFolder(), parser.value(passwordFile)), {}};
        }
        ProtectionCommands::unlockForCommandLine(programFolder(), parser.value(passwordFile));
        finishInterruptedWork(programFolder());
        if (parser.isSet(import))
            return {importOldData(parser.value(import), parser.isSet(replace)), {}};
        if (parser.isSet(verify))
            return {verifyJournal(), {}};
        if (parser.isSet(exportPersonOption)) {
            const int status = exportPerson(parser.value(exportPersonOption).trimmed(), parser.value(json), parser.value(pdf));
            Connection::close();
            return {status, {}};
        }
        Request request = readRequest(parser, report, from, to, code, pdf, csv);
        request.withPersonalData = parser.isSet(withPersonalData);
        const int status = runReport(request, parser.value(server));
        Connection::close();
        return {status, {}};
    } catch (const BadArgument& bad) {
        printLine(stderr, bad.text);
        return {2, {}};
    } catch (const UserError& failure) {
        printLine(stderr, failure.text());
        return {1, {}};
    } catch (const std::exception& failure) {
        printLine(stderr, QString::fromUtf8(failure.what()));
        return {1, {}};
    }
}
