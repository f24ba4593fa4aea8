#include "crash/CrashHarness.h"

#include "core/ProgramFolder.h"
#include "crash/CrashScenario.h"
#include "crash/KillingFileLayer.h"
#include "db/Connection.h"
#include "db/Sql.h"
#include "support/TestFolder.h"
#include "year/BackupRestore.h"
#include "year/DataProtection.h"
#include "db/ProtectionKeys.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <exception>
#include <random>
#include <unistd.h>

namespace CrashHarness
{
namespace
{

const char* const databaseVariable = "LUMIVARET_CRASH_CHILD_DB";
const char* const seedVariable = "LUMIVARET_CRASH_CHILD_SEED";
const char* const firstNumberVariable = "LUMIVARET_CRASH_CHILD_FIRST";
const char* const scenariosVariable = "LUMIVARET_CRASH_CHILD_SCENARIOS";
const char* const killAtVariable = "LUMIVARET_CRASH_CHILD_KILL_AT";
const QString linePrefix = QStringLiteral("crash ");

// A child that is never killed stops by itself after this many operations.
const int childOperationLimit = 20000;

// One line on the standard output in a single write, so that it reaches the
// pipe whole before anything that follows can happen.
void say(const QString& text)
{
    const QByteArray line = (linePrefix + text + QLatin1Char('\n')).toUtf8();
    qsizetype written = 0;
    while (written < line.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, line.constData() + written, size_t(line.size() - written));
        if (n <= 0)
            std::_Exit(4);
        written += n;
    }
}

QList<const CrashScenario*> scenariosNamed(const QStringList& names)
{
    QList<const CrashScenario*> scenarios;
    for (const QString& name : names) {
        const CrashScenario* scenario = findCrashScenario(name);
        if (!scenario)
            throw std::runtime_error("no crash scenario named " + name.toStdString());
        scenarios << scenario;
    }
    return scenarios;
}

struct ChildRun {
    QStringList lines; // the protocol lines, without their prefix
    bool killed = false;
    QString errors;
};

// When and how the child is killed.
struct Kill {
    int delayMicros = 0; // after it is ready, by the parent
    long fileChange = 0; // else by itself, before this change to a file

    QString text() const
    {
        return fileChange ? QStringLiteral("before file change %1").arg(fileChange)
                          : QStringLiteral("after %1 us").arg(delayMicros);
    }
};

Kill killFor(const Plan& plan, unsigned seed)
{
    std::mt19937 random(seed);
    Kill kill;
    if (seed % 2)
        kill.fileChange = long(1 + random() % unsigned(plan.mostFileChanges));
    else
        kill.delayMicros = int(random() % unsigned(plan.longestDelayMs * 1000 + 1));
    return kill;
}

// Starts this program as a crash child and has it killed.
ChildRun runChild(const QString& database, const Plan& plan, unsigned seed, int firstNumber, const Kill& kill)
{
    QProcess child;
    child.setProgram(QCoreApplication::applicationFilePath());
    child.setArguments({QStringLiteral("--gtest_filter=CrashChild.*")});
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(databaseVariable), database);
    environment.insert(QString::fromLatin1(seedVariable), QString::number(seed));
    environment.insert(QString::fromLatin1(firstNumberVariable), QString::number(firstNumber));
    environment.insert(QString::fromLatin1(scenariosVariable), plan.scenarios.join(QLatin1Char(',')));
    environment.insert(QString::fromLatin1(killAtVariable), QString::number(kill.fileChange));
    child.setProcessEnvironment(environment);
    child.start();

    QByteArray output;
    const QByteArray ready = (linePrefix + QStringLiteral("ready\n")).toUtf8();
    while (!output.contains(ready) && child.state() != QProcess::NotRunning && child.waitForReadyRead(20000))
        output += child.readAllStandardOutput();
    // A child that should kill itself but runs out of operations first is killed all the same.
    if (kill.fileChange)
        child.waitForFinished(10000);
    else
        QThread::usleep(kill.delayMicros);
    if (child.state() != QProcess::NotRunning)
        child.kill();
    child.waitForFinished(20000);
    output += child.readAllStandardOutput();

    ChildRun run;
    run.killed = child.exitStatus() == QProcess::CrashExit;
    run.errors = QString::fromUtf8(child.readAllStandardError()).right(2000);
    for (const QString& line : QString::fromUtf8(output).split(QLatin1Char('\n')))
        if (line.startsWith(linePrefix))
            run.lines << line.mid(linePrefix.size());
    return run;
}

// Adds the operations the child's lines tell of; the text of an error it
// printed, if any.
QString readOperations(const QStringList& lines, CrashLog& log)
{
    QString error;
    for (const QString& line : lines) {
        const QString word = line.section(QLatin1Char(' '), 0, 0);
        const QString rest = line.section(QLatin1Char(' '), 2);
        const int number = line.section(QLatin1Char(' '), 1, 1).toInt();
        if (word == QLatin1String("begin")) {
            CrashOperation operation;
            operation.number = number;
            operation.scenario = rest;
            log.append(operation);
        } else if ((word == QLatin1String("announce") || word == QLatin1String("done")) && !log.isEmpty() &&
                   log.last().number == number) {
            if (word == QLatin1String("announce"))
                log.last().announced << rest;
            else
                log.last().done = rest;
        } else if (word == QLatin1String("error")) {
            error = line.section(QLatin1Char(' '), 1);
        }
    }
    return error;
}

// As a start of the program does before it opens the database: the password
// given when the files are protected, a protection cut short finished or undone.
void openFilesLikeAStart(const QString& database)
{
    const QString folder = QFileInfo(database).absolutePath();
    if (DataProtection::needsPassword(folder))
        for (const QByteArray& password : crashPasswords)
            if (DataProtection::unlock(folder, password))
                break;
    if (DataProtection::wasInterrupted(folder))
        DataProtection::finishInterrupted({folder, {}});
}

CrashLog operationsOf(const CrashLog& log, const QString& scenario)
{
    CrashLog own;
    for (const CrashOperation& operation : log)
        if (operation.scenario == scenario)
            own << operation;
    return own;
}

// The checks after a kill, on the database reopened by the program's own code.
CrashFindings verify(const QString& database, const QList<const CrashScenario*>& scenarios, CrashLog& log)
{
    CrashFindings all;
    try {
        // As the next start does, before the database is opened.
        BackupRestore::finishInterrupted(QFileInfo(database).absolutePath());
        openFilesLikeAStart(database);
        Connection::open(database);
        const QSqlDatabase db = Connection::database();
        const QString integrity = Sql::scalar(db, QStringLiteral("PRAGMA integrity_check")).toString();
        if (integrity != QLatin1String("ok"))
            all.fault(QStringLiteral("integrity_check: ") + integrity);
        for (const CrashScenario* scenario : scenarios) {
            CrashFindings findings;
            scenario->verify(db, operationsOf(log, scenario->name), findings);
            for (const QString& fault : findings.faults())
                all.fault(scenario->name + QStringLiteral(": ") + fault);
            all.countVerified(findings.verified());
            if (findings.settled() && !log.isEmpty() && log.last().scenario == scenario->name &&
                !log.last().done)
                log.last().settled = findings.settled();
        }
    } catch (const std::exception& e) {
        all.fault(QStringLiteral("the check failed: ") + QString::fromUtf8(e.what()));
    }
    Connection::close();
    // The next database of the test is created plain.
    ProtectionKeys::forgetAll();
    return all;
}

} // namespace

Figures run(const Plan& plan)
{
    const QList<const CrashScenario*> scenarios = scenariosNamed(plan.scenarios);
    Figures figures;
    while (figures.kills < plan.kills) {
        TestFolder folder;
        CrashLog log;
        {
            const QSqlDatabase db = folder.openWorkingYear();
            for (const CrashScenario* scenario : scenarios)
                if (scenario->baseline) {
                    CrashOperation start;
                    start.scenario = scenario->name;
                    start.settled = scenario->baseline(db);
                    log << start;
                }
        }
        Connection::close();
        int nextNumber = 1;
        for (int k = 0; k < plan.killsPerDatabase && figures.kills < plan.kills; ++k) {
            const unsigned seed = plan.seed + unsigned(figures.kills);
            const Kill kill = killFor(plan, seed);
            const ChildRun child = runChild(folder.databaseFile(), plan, seed, nextNumber, kill);
            ++figures.kills;
            const qsizetype known = log.size();
            const QString childError = readOperations(child.lines, log);
            figures.operationsBegun += int(log.size() - known);
            if (log.size() > known) {
                nextNumber = log.last().number + 1;
                figures.interrupted += !log.last().done;
            }

            CrashFindings findings = verify(folder.databaseFile(), scenarios, log);
            if (!child.killed)
                findings.fault(QStringLiteral("the child ended before the kill: ") + childError +
                               child.errors);
            figures.operationsVerified += findings.verified();
            if (!findings.faults().isEmpty()) {
                ++figures.failures;
                figures.failureDetails << QStringLiteral("seed %1 (kill %2, operations %3..%4): %5")
                                              .arg(seed)
                                              .arg(kill.text())
                                              .arg(known < log.size() ? log.at(known).number : nextNumber)
                                              .arg(nextNumber - 1)
                                              .arg(findings.faults().join(QStringLiteral("; ")));
            }
        }
    }
    return figures;
}

bool runChildIfAsked()
{
    const QString database = qEnvironmentVariable(databaseVariable);
    if (database.isEmpty())
        return false;
    const unsigned seed = qEnvironmentVariable(seedVariable).toUInt();
    const int first = qEnvironmentVariableIntValue(firstNumberVariable);
    try {
        const QList<const CrashScenario*> scenarios =
            scenariosNamed(qEnvironmentVariable(scenariosVariable).split(QLatin1Char(',')));
        setProgramFolder(QFileInfo(database).absolutePath());
        if (const long killAt = qEnvironmentVariable(killAtVariable).toLong(); killAt > 0)
            KillingFileLayer::install(killAt);
        openFilesLikeAStart(database);
        Connection::open(database);
        const QSqlDatabase db = Connection::database();
        std::mt19937 picks(seed);
        say(QStringLiteral("ready"));
        for (int number = first; number < first + childOperationLimit; ++number) {
            const CrashScenario* scenario = scenarios.at(int(picks() % unsigned(scenarios.size())));
            say(QStringLiteral("begin %1 %2").arg(number).arg(scenario->name));
            const QString report = scenario->perform(db, number, seed, [number](const QString& text) {
                say(QStringLiteral("announce %1 %2").arg(number).arg(text));
            });
            say(QStringLiteral("done %1 %2").arg(number).arg(report));
        }
    } catch (const std::exception& e) {
        say(QStringLiteral("error ") + QString::fromUtf8(e.what()));
    }
    return true;
}

} // namespace CrashHarness
