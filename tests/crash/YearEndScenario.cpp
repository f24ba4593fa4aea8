// The year-end closing, interrupted anywhere: afterwards either year N is
// whole (its documents in the working database, An_lucru N) or year N+1 is
// (the year folder N complete, N's documents gone, Ani ending with N+1).
// It deletes every document of the year, so it runs apart from the others.

#include "core/ProgramFolder.h"
#include "crash/CrashScenario.h"
#include "db/Connection.h"
#include "db/Sql.h"
#include "db/WorkingYear.h"
#include "support/Documents.h"
#include "year/YearEndRollover.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

namespace
{

const QString open = QStringLiteral("open");
const QString closed = QStringLiteral("closed");

int incomesOfYear(const QSqlDatabase& db, int year)
{
    return Sql::scalar(db,
                       QStringLiteral("SELECT count(*) FROM Venituri WHERE Data BETWEEN :first AND :last"),
                       {{QStringLiteral(":first"), QDate(year, 1, 1)},
                        {QStringLiteral(":last"), QDate(year, 12, 31)}})
        .toInt();
}

QList<int> listedYears(const QSqlDatabase& db)
{
    QList<int> years;
    if (!Sql::tableExists(db, QStringLiteral("Ani")))
        return years;
    QSqlQuery query = Sql::exec(db, QStringLiteral("SELECT Valoare FROM Ani ORDER BY rowid"));
    while (query.next())
        years << query.value(0).toInt();
    return years;
}

double openingCash(const QSqlDatabase& db)
{
    return Sql::scalar(db, QStringLiteral("SELECT Sold_init_casa FROM Contor")).toDouble();
}

// Types a few incomes of the working year and one of the next, then closes
// the working year; announces "<year> <incomes of the year>".
QString closeYear(const QSqlDatabase& db, int number, unsigned, const Announce& announce)
{
    const int year = workingYearOf(db);
    for (int i = 0; i < 3; ++i)
        Documents::receipt(db, number * 10 + i, QStringLiteral("%1-0%2-15").arg(year).arg(i + 3), 10 + i);
    Documents::receipt(db, number * 10 + 9, QStringLiteral("%1-01-05").arg(year + 1), 7);
    Sql::exec(db, QStringLiteral("UPDATE Contor SET Sold_init_casa = 250"));
    announce(QStringLiteral("%1 %2").arg(year).arg(incomesOfYear(db, year)));
    YearEndRollover::closeWorkingYear(db, programFolder(), year);
    return closed;
}

// The year folder's database: its working year and its incomes of that year,
// or what is wrong with it.
QString yearFolderState(const QSqlDatabase& db, int year)
{
    const QString file = QFileInfo(db.databaseName()).absolutePath() + QStringLiteral("/%1/").arg(year) +
                         QFileInfo(db.databaseName()).fileName();
    if (!QFileInfo::exists(file))
        return QStringLiteral("absent");
    const QString name = QStringLiteral("LumivaretCrashYearFolder");
    const auto remove = qScopeGuard([&] { Connection::removeNamed(name); });
    try {
        const QSqlDatabase copy = Connection::openNamed(name, file);
        const QString integrity = Sql::scalar(copy, QStringLiteral("PRAGMA integrity_check")).toString();
        if (integrity != QLatin1String("ok"))
            return QStringLiteral("damaged: ") + integrity;
        return QStringLiteral("year %1, incomes %2").arg(workingYearOf(copy)).arg(incomesOfYear(copy, year));
    } catch (const std::exception& e) {
        return QStringLiteral("unreadable: ") + QString::fromUtf8(e.what());
    }
}

// Year N closed whole: the folder holds N as it was, the working database
// has none of N's documents, a zero opening balance and Ani goes on to N+1.
void checkClosed(const QSqlDatabase& db, int year, int incomes, CrashFindings& findings)
{
    const QString expected = QStringLiteral("year %1, incomes %2").arg(year).arg(incomes);
    if (const QString found = yearFolderState(db, year); found != expected)
        findings.fault(
            QStringLiteral("year folder %1: expected %2, found %3").arg(year).arg(expected, found));
    if (const int left = incomesOfYear(db, year); left != 0)
        findings.fault(QStringLiteral("%1 incomes of the closed year %2 left").arg(left).arg(year));
    const QList<int> years = listedYears(db);
    if (!years.contains(year) || !years.contains(year + 1))
        findings.fault(QStringLiteral("Ani lacks %1 or %2").arg(year).arg(year + 1));
}

// Year N still whole: every document typed, the balance, Ani not yet past N;
// a year folder already made must be complete.
void checkOpen(const QSqlDatabase& db, int year, int incomes, CrashFindings& findings)
{
    if (const int found = incomesOfYear(db, year); found != incomes)
        findings.fault(
            QStringLiteral("year %1 still open with %2 incomes of %3").arg(year).arg(found).arg(incomes));
    if (openingCash(db) != 250)
        findings.fault(QStringLiteral("year %1 still open but its opening balance changed").arg(year));
    const QList<int> years = listedYears(db);
    if (!years.isEmpty() && years.last() != year)
        findings.fault(QStringLiteral("year %1 still open but Ani ends with %2").arg(year).arg(years.last()));
    const QString folder = yearFolderState(db, year);
    if (folder != QLatin1String("absent") && !folder.startsWith(QStringLiteral("year %1,").arg(year)))
        findings.fault(QStringLiteral("year folder %1 of the open year: %2").arg(year).arg(folder));
}

void verifyClosings(const QSqlDatabase& db, const CrashLog& operations, CrashFindings& findings)
{
    const int workingYear = workingYearOf(db);
    if (listedYears(db).value(listedYears(db).size() - 1, workingYear) != workingYear)
        findings.fault(QStringLiteral("Ani does not end with the working year %1").arg(workingYear));
    for (const CrashOperation& operation : operations) {
        if (operation.announced.isEmpty())
            continue;
        const QStringList parts = operation.announced.first().split(QLatin1Char(' '));
        const int year = parts.value(0).toInt();
        const int incomes = parts.value(1).toInt();
        const QString state = workingYear > year ? closed : open;
        const std::optional<QString> outcome = operation.outcome();
        // A closing found not done may be done by a later attempt.
        if (outcome == closed && state != closed)
            findings.fault(QStringLiteral("the closing of %1 was undone").arg(year));
        if (!outcome) {
            if (state == closed)
                checkClosed(db, year, incomes, findings);
            else
                checkOpen(db, year, incomes, findings);
            findings.settle(state);
        } else if (*outcome == closed) {
            checkClosed(db, year, incomes, findings);
        }
        findings.countVerified();
    }
}

const CrashScenarioRegistration yearEnd({QStringLiteral("yearEnd"), closeYear, verifyClosings, {}, true});

} // namespace
