// The manual backup ("Salvare date"), interrupted anywhere: its "Lumivaret"
// folder is either absent or complete, with the working year's database and
// every closed year, each passing SQLite's integrity check.

#include "core/ProgramFolder.h"
#include "crash/CrashScenario.h"
#include "db/Connection.h"
#include "db/Sql.h"
#include "db/WorkingYear.h"
#include "year/ClosedYears.h"
#include "year/ManualBackupCopy.h"
#include "year/YearEndRollover.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

namespace
{

using namespace CrashState;


QString programFolderOf(const QSqlDatabase& db)
{
    return QFileInfo(db.databaseName()).absolutePath();
}

QString backupFolderOf(const QSqlDatabase& db, const QString& name)
{
    return ManualBackupCopy::backupFolder(programFolderOf(db) + QStringLiteral("/Salvari/") + name);
}

// "sound", or what is wrong with the database file.
QString databaseState(const QString& file)
{
    if (!QFileInfo::exists(file))
        return QStringLiteral("missing");
    const QString name = QStringLiteral("LumivaretCrashBackup");
    const auto remove = qScopeGuard([&] { Connection::removeNamed(name); });
    try {
        const QSqlDatabase db = Connection::openNamed(name, file);
        const QString integrity = Sql::scalar(db, QStringLiteral("PRAGMA integrity_check")).toString();
        return integrity == QLatin1String("ok") ? QStringLiteral("sound")
                                                : QStringLiteral("damaged: ") + integrity;
    } catch (const std::exception& e) {
        return QStringLiteral("unreadable: ") + QString::fromUtf8(e.what());
    }
}

// "absent", or the closed years the backup holds after "complete with", or
// what is missing or damaged in it.
QString backupState(const QString& folder, const QList<int>& years)
{
    if (!QFileInfo::exists(folder))
        return absent;
    QStringList faults;
    const QString database = QStringLiteral("/BazaDate.sqlite");
    if (const QString state = databaseState(folder + database); state != QLatin1String("sound"))
        faults << QStringLiteral("working year %1").arg(state);
    for (const int year : years)
        if (const QString state = databaseState(folder + QStringLiteral("/%1").arg(year) + database);
            state != QLatin1String("sound"))
            faults << QStringLiteral("year %1 %2").arg(year).arg(state);
    return faults.isEmpty() ? QStringLiteral("complete") : faults.join(QStringLiteral(", "));
}

// The first operation closes a year, so that there is a closed year to save.
QString saveData(const QSqlDatabase& db, int number, unsigned, const Announce& announce)
{
    if (closedYears().isEmpty())
        YearEndRollover::closeWorkingYear(db, programFolder(), workingYearOf(db));
    const QString name = QStringLiteral("backup-%1").arg(number);
    announce(name);
    const QStringList failures =
        ManualBackupCopy::save(programFolder(), backupFolderOf(db, name), closedYears());
    return failures.isEmpty() ? backupState(backupFolderOf(db, name), closedYears()) : failures.join(u'\n');
}

void verifyBackups(const QSqlDatabase& db, const CrashLog& operations, CrashFindings& findings)
{
    for (const CrashOperation& operation : operations) {
        if (operation.announced.isEmpty())
            continue;
        const QString found = backupState(backupFolderOf(db, operation.announced.first()), closedYears());
        const std::optional<QString> outcome = operation.outcome();
        const bool sound =
            outcome ? found == *outcome : found == absent || found == QLatin1String("complete");
        if (!sound)
            findings.fault(QStringLiteral("%1: expected %2, found %3")
                               .arg(operation.announced.first(),
                                    outcome.value_or(QStringLiteral("absent or complete")), found));
        if (!outcome)
            findings.settle(found);
        findings.countVerified();
    }
}

const CrashScenarioRegistration
    manualBackup({QStringLiteral("manualBackup"), saveData, verifyBackups, {}, true});

} // namespace
