#include "app/CommandLine.h"

#include "app/InterruptedWork.h"
#include "app/ProgramReports.h"
#include "core/ProgramFolder.h"
#include "core/Progress.h"
#include "core/UserError.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/DateFormat.h"
#include "db/DbError.h"
#include "db/SchemaUpgrade.h"
#include "db/Sql.h"
#include "db/WorkingYear.h"
#include "printing/EmptyReport.h"
#include "printing/PagePainter.h"
#include "printing/ReportCatalog.h"
#include "printing/RuledColumns.h"
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

bool asksBatchPath(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--report" || argument.startsWith("--report=") || argument == "--list-reports" ||
            argument == "--import" || argument.startsWith("--import=") || argument == "--replace")
            return true;
    }
    return false;
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
                            .arg(Sql::quoted(entry.code->table), Sql::quoted(entry.code->field)),
                        {{QStringLiteral(":c"), r.code}});
        if (!found.isValid())
            throw BadArgument{QStringLiteral("Codul %1 nu exista in %2").arg(r.code, entry.code->table)};
        answers.code = r.code;
    }
    for (const ReportYesNoQuestion& question : entry.questions)
        answers.yesNo.insert(question.key, question.defaultAnswer);
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

int runReport(const Request& r)
{
    const ReportEntry& entry = *r.entry;
    Connection::open(DatabaseLocation::instance().workingYearDatabase());
    const QSqlDatabase db = Connection::database();
    SchemaUpgrade::upgrade(db);
    const ReportAnswers answers = answersFor(r, db);
    if (entry.prepare)
        entry.prepare(answers, noProgress());
    ReportFrame::applyDefaults(entry.defaults);
    std::unique_ptr<Report> report = entry.build(answers);
    if (!r.pdf.isEmpty()) {
        PageModel pages = ReportFrame::layOut(*report);
        if (pages.pages.isEmpty())
            pages = ReportFrame::layOut(*emptyReport(entry, answers, *report));
        PagePainter::writePdf(pages, r.pdf);
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

} // namespace

std::optional<int> runCommandLine(int argc, char** argv)
{
    if (!asksBatchPath(argc, argv))
        return std::nullopt;
    qInstallMessageHandler(criticalOnly);
    // No window is ever shown here, and there may be no display at all.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumivaret"));
    // The database is the program folder's; the files named on the command
    // line stay relative to the folder the command was given in.
    setProgramFolder(QDir::fromNativeSeparators(QCoreApplication::applicationDirPath()));

    QCommandLineParser parser;
    const QCommandLineOption list(QStringLiteral("list-reports"));
    const QCommandLineOption report(QStringLiteral("report"), {}, QStringLiteral("NAME"));
    const QCommandLineOption from(QStringLiteral("from"), {}, QStringLiteral("DATE"));
    const QCommandLineOption to(QStringLiteral("to"), {}, QStringLiteral("DATE"));
    const QCommandLineOption code(QStringLiteral("code"), {}, QStringLiteral("CODE"));
    const QCommandLineOption pdf(QStringLiteral("pdf"), {}, QStringLiteral("FILE"));
    const QCommandLineOption csv(QStringLiteral("csv"), {}, QStringLiteral("FILE"));
    const QCommandLineOption import(QStringLiteral("import"), {}, QStringLiteral("FOLDER"));
    const QCommandLineOption replace(QStringLiteral("replace"));
    parser.addOptions({list, report, from, to, code, pdf, csv, import, replace});
    try {
        if (!parser.parse(QCoreApplication::arguments()))
            throw BadArgument{parseFailure(parser, QCoreApplication::arguments())};
        if (!parser.positionalArguments().isEmpty())
            throw BadArgument{
                QStringLiteral("Argument necunoscut: %1").arg(parser.positionalArguments().first())};
        if (parser.isSet(list) && parser.isSet(report))
            throw BadArgument{QStringLiteral("--list-reports si --report nu merg impreuna")};
        if (parser.isSet(import) && (parser.isSet(list) || parser.isSet(report)))
            throw BadArgument{QStringLiteral("--import nu merge impreuna cu --report sau --list-reports")};
        if (parser.isSet(replace) && !parser.isSet(import))
            throw BadArgument{QStringLiteral("--replace merge doar cu --import DOSAR")};
        finishInterruptedWork(programFolder());
        if (parser.isSet(import))
            return importOldData(parser.value(import), parser.isSet(replace));
        if (parser.isSet(list))
            return listReports();
        const Request request = readRequest(parser, report, from, to, code, pdf, csv);
        const int status = runReport(request);
        Connection::close();
        return status;
    } catch (const BadArgument& bad) {
        printLine(stderr, bad.text);
        return 2;
    } catch (const UserError& failure) {
        printLine(stderr, failure.text());
        return 1;
    } catch (const std::exception& failure) {
        printLine(stderr, QString::fromUtf8(failure.what()));
        return 1;
    }
}
