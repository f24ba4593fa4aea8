// Copies of a whole data folder, each into a place of its own: the daily
// backup's day folder and the refresh of a closed year's folder. After a
// kill the copy is the old complete one, the new complete one or (for a day
// folder) absent, and the next run completes it leaving nothing behind.

#include "crash/CrashScenario.h"
#include "crash/FolderSnapshot.h"
#include "year/DailyBackupCopy.h"
#include "year/YearFolderArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace
{

using namespace CrashState;

using namespace FolderSnapshot;

const QList<int> templateClosedYears = {2023};

// A program folder with a closed year 2023 whose folder is an older copy,
// and the folders the copies are compared with.
QString programTemplate(const QSqlDatabase& db)
{
    return scenarioFolder(db) + QStringLiteral("backup-templates/program/");
}
QString dayTemplate(const QSqlDatabase& db)
{
    return scenarioFolder(db) + QStringLiteral("backup-templates/day/");
}
QString archivedTemplate(const QSqlDatabase& db)
{
    return scenarioFolder(db) + QStringLiteral("backup-templates/archived/");
}

QString dayWithoutYearsTemplate(const QSqlDatabase& db)
{
    return scenarioFolder(db) + QStringLiteral("backup-templates/day-without-years/");
}

// Made once per database, by whichever of the two scenarios starts first.
QString makeBackupTemplates(const QSqlDatabase& db)
{
    const QString program = programTemplate(db);
    if (QFileInfo::exists(program))
        return QStringLiteral("templates");
    makeDatabase(program + QStringLiteral("BazaDate.sqlite"), 2024, 6);
    writeScenarioFile(program + QStringLiteral("Optiuni.ini"), "[Parohia]\nNume=Proba\n");
    writeScenarioFile(program + QStringLiteral("poza.jpg"), QByteArray(3000, 'p'));
    writeScenarioFile(program + QStringLiteral("Lumivaret"), QByteArray(2000, 'x'));
    makeDatabase(program + QStringLiteral("2023/BazaDate.sqlite"), 2023, 3);
    writeScenarioFile(program + QStringLiteral("2023/Optiuni.ini"), "[Parohia]\nNume=Vechi\n");

    DailyBackupCopy::run(program, dayTemplate(db), templateClosedYears);
    DailyBackupCopy::run(program, dayWithoutYearsTemplate(db), {});
    copyFolder(program, archivedTemplate(db));
    YearFolderArchive::refresh(archivedTemplate(db), 2023);
    return QStringLiteral("templates");
}

// Each folder is checked once its outcome is known; the parent runs every check.
bool firstCheckOf(const QString& folder)
{
    static QSet<QString> checked;
    if (checked.contains(folder))
        return false;
    checked.insert(folder);
    return true;
}

void expectNoLeftovers(const QString& folder, const QString& marker, CrashFindings& findings)
{
    const QStringList leftovers = pathsContaining(entriesUnder(folder), marker);
    if (!leftovers.isEmpty())
        findings.fault(folder + QStringLiteral(": left behind ") + leftovers.join(QLatin1Char(',')));
}

// ---- the daily backup -------------------------------------------------------

QString dayFolderOf(const QSqlDatabase& db, const QString& name)
{
    return scenarioFolder(db) + name + QStringLiteral("/SalvariMorvalen/20240115/Parohie");
}

// A closed year's copy cut short inside the day folder, which the next run removes.
QString withoutStaging(const QString& path)
{
    return path.contains(QLatin1String(".incomplet-")) ? QString() : path;
}

// "absent", "whole", "whole without 2023" (the closed year is added after
// the day) or what is wrong; a staging folder beside it counts for nothing.
QString dayState(const QSqlDatabase& db, const QString& dayFolder)
{
    if (!QFileInfo::exists(dayFolder))
        return absent;
    const QString wrong = differences(dayFolder, dayTemplate(db), withoutStaging);
    if (wrong.isEmpty())
        return whole;
    if (differences(dayFolder, dayWithoutYearsTemplate(db), withoutStaging).isEmpty())
        return QStringLiteral("whole without 2023");
    return QStringLiteral("damaged: ") + wrong;
}

QString backUp(const QSqlDatabase& db, int number, unsigned, const Announce& announce)
{
    const QString name = QStringLiteral("daily-%1").arg(number);
    announce(name);
    DailyBackupCopy::run(programTemplate(db), dayFolderOf(db, name), templateClosedYears);
    return dayState(db, dayFolderOf(db, name));
}

void verifyDays(const QSqlDatabase& db, const CrashLog& operations, CrashFindings& findings)
{
    for (const CrashOperation& operation : operations) {
        if (operation.announced.isEmpty())
            continue;
        const QString dayFolder = dayFolderOf(db, operation.announced.first());
        if (!firstCheckOf(dayFolder))
            continue;
        findings.countVerified();
        const QString found = dayState(db, dayFolder);
        const std::optional<QString> outcome = operation.outcome();
        if (outcome ? found != *outcome : found.startsWith(QLatin1String("damaged")))
            findings.fault(QStringLiteral("%1: expected %2, found %3")
                               .arg(dayFolder, outcome.value_or(QStringLiteral("whole or absent")), found));
        if (outcome)
            continue;
        findings.settle(found);
        // The next start's run completes the day.
        try {
            DailyBackupCopy::run(programTemplate(db), dayFolder, templateClosedYears);
            if (const QString state = dayState(db, dayFolder); state != whole)
                findings.fault(dayFolder + QStringLiteral(": after the next run ") + state);
            expectNoLeftovers(scenarioFolder(db) + operation.announced.first(), QStringLiteral(".incomplet-"),
                              findings);
        } catch (const std::exception& e) {
            findings.fault(dayFolder + QStringLiteral(": the next run failed: ") +
                           QString::fromUtf8(e.what()));
        }
    }
}

const CrashScenarioRegistration daily({QStringLiteral("dailyBackup"), backUp, verifyDays, makeBackupTemplates});

// ---- the year folder ---------------------------------------------------------

// "before" (the older copy), "after" (the fresh one), or what is wrong.
QString yearState(const QSqlDatabase& db, const QString& programFolder)
{
    const QString year = programFolder + QStringLiteral("2023");
    if (differences(year, programTemplate(db) + QStringLiteral("2023")).isEmpty())
        return before;
    const QString wrong = differences(year, archivedTemplate(db) + QStringLiteral("2023"));
    return wrong.isEmpty() ? after : QStringLiteral("neither the old copy nor the new: ") + wrong;
}

QString refreshYear(const QSqlDatabase& db, int number, unsigned, const Announce& announce)
{
    const QString name = QStringLiteral("year-%1").arg(number);
    // Announced once the program folder is complete: a kill before that leaves a folder never checked.
    copyFolder(programTemplate(db), scenarioFolder(db) + name);
    announce(name);
    YearFolderArchive::refresh(scenarioFolder(db) + name + QLatin1Char('/'), 2023);
    return yearState(db, scenarioFolder(db) + name + QLatin1Char('/'));
}

void verifyYears(const QSqlDatabase& db, const CrashLog& operations, CrashFindings& findings)
{
    for (const CrashOperation& operation : operations) {
        if (operation.announced.isEmpty())
            continue;
        const QString folder = scenarioFolder(db) + operation.announced.first() + QLatin1Char('/');
        if (!firstCheckOf(folder))
            continue;
        findings.countVerified();
        // Between the swap's two renames the old copy stands only under its hidden name.
        const bool yearStands = QFileInfo::exists(folder + QStringLiteral("2023")) ||
                                QFileInfo::exists(folder + QStringLiteral(".2023.vechi"));
        if (!yearStands)
            findings.fault(folder + QStringLiteral(": neither the year folder nor its older copy is there"));
        YearFolderArchive::finishInterrupted(folder); // as the next start does
        const QString found = yearState(db, folder);
        const std::optional<QString> outcome = operation.outcome();
        if (outcome ? found != *outcome : found != before && found != after)
            findings.fault(
                QStringLiteral("%1: expected %2, found %3")
                    .arg(folder, outcome.value_or(before + QStringLiteral(" or ") + after), found));
        expectNoLeftovers(folder, QStringLiteral(".2023."), findings);
        if (outcome)
            continue;
        findings.settle(found);
        try {
            YearFolderArchive::refresh(folder, 2023);
            if (const QString state = yearState(db, folder); state != after)
                findings.fault(folder + QStringLiteral(": after the next refresh ") + state);
            expectNoLeftovers(folder, QStringLiteral(".2023."), findings);
        } catch (const std::exception& e) {
            findings.fault(folder + QStringLiteral(": the next refresh failed: ") +
                           QString::fromUtf8(e.what()));
        }
    }
}

const CrashScenarioRegistration year({QStringLiteral("yearFolder"), refreshYear, verifyYears, makeBackupTemplates});

} // namespace
