// The restore ("Restaurare date..."), interrupted anywhere: afterwards the
// program folder holds either the data it had (working year and closed year
// alike) or the backup's, never a mix; with the backup's in place, a safety
// folder holds the data they replaced, whole.

#include "core/ProgramFolder.h"
#include "crash/CrashScenario.h"
#include "db/Connection.h"
#include "db/Sql.h"
#include "db/WorkingYear.h"
#include "year/BackupRestore.h"
#include "year/ClosedYears.h"
#include "year/ManualBackupCopy.h"
#include "year/YearEndRollover.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

namespace
{

const QString old = QStringLiteral("old");
const QString restored = QStringLiteral("restored");

QString backupFolderIn(const QString& programFolder)
{
    return ManualBackupCopy::backupFolder(programFolder + QStringLiteral("/Salvari"));
}

QString databaseIn(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("BazaDate.sqlite"));
}

QString closedYearFolder(const QString& folder)
{
    return QDir(folder).filePath(QString::number(closedYears().value(0)));
}

// The stock list marks whose data a database holds.
void markStock(const QSqlDatabase& db, const QString& mark)
{
    Sql::exec(db, QStringLiteral("DELETE FROM Stoc"));
    Sql::exec(db, QStringLiteral("INSERT INTO Stoc (Denumire, Cantitate, UM, Pret) VALUES (:m, 1, 'buc', 1)"),
              {{QStringLiteral(":m"), mark}});
}

void markStockOf(const QString& databaseFile, const QString& mark)
{
    const QString name = QStringLiteral("LumivaretCrashMark");
    const auto remove = qScopeGuard([&] { Connection::removeNamed(name); });
    markStock(Connection::openNamed(name, databaseFile), mark);
}

// The mark of a database file, or what is wrong with it.
QString stockMarkOf(const QString& databaseFile)
{
    if (!QFileInfo::exists(databaseFile))
        return QStringLiteral("missing");
    const QString name = QStringLiteral("LumivaretCrashMark");
    const auto remove = qScopeGuard([&] { Connection::removeNamed(name); });
    try {
        const QSqlDatabase db = Connection::openNamed(name, databaseFile);
        const QString integrity = Sql::scalar(db, QStringLiteral("PRAGMA integrity_check")).toString();
        if (integrity != QLatin1String("ok"))
            return QStringLiteral("damaged: ") + integrity;
        return Sql::scalar(db, QStringLiteral("SELECT group_concat(Denumire) FROM Stoc")).toString();
    } catch (const std::exception& e) {
        return QStringLiteral("unreadable: ") + QString::fromUtf8(e.what());
    }
}

// The marks of a data folder: its working year's, then its closed year's.
QString marksOf(const QString& folder)
{
    return stockMarkOf(databaseIn(folder)) + QLatin1Char('/') +
           stockMarkOf(databaseIn(closedYearFolder(folder)));
}

// The first operation makes the backup, with a closed year; each then marks
// the current data as its own and restores the backup over them.
QString restoreBackup(const QSqlDatabase&, int number, unsigned, const Announce& announce)
{
    const QString folder = programFolder();
    const QString backup = backupFolderIn(folder);
    if (!QFileInfo::exists(backup)) {
        if (closedYears().isEmpty())
            YearEndRollover::closeWorkingYear(Connection::database(), folder,
                                              workingYearOf(Connection::database()));
        markStock(Connection::database(), QStringLiteral("saved"));
        markStockOf(databaseIn(closedYearFolder(folder)), QStringLiteral("saved-year"));
        ManualBackupCopy::save(folder, backup, closedYears());
    }
    markStock(Connection::database(), QStringLiteral("current-%1").arg(number));
    markStockOf(databaseIn(closedYearFolder(folder)), QStringLiteral("current-%1-year").arg(number));
    announce(QString::number(number));
    BackupRestore::restore(folder, BackupRestore::readSummary(backup), QDateTime::currentDateTime());
    return restored;
}

void verifyRestores(const QSqlDatabase& db, const CrashLog& operations, CrashFindings& findings)
{
    if (operations.isEmpty() || operations.last().announced.isEmpty() || operations.last().outcome())
        return; // only the restore under way: each one marks the data anew before it starts
    const QString folder = QFileInfo(db.databaseName()).absolutePath();
    const QString number = operations.last().announced.first();
    if (QFileInfo::exists(QDir(folder).filePath(QStringLiteral("Restaurare neterminata.txt"))))
        findings.fault(QStringLiteral("restore %1: its marker is still there after the next start").arg(number));
    const QString oldMarks = QStringLiteral("current-%1/current-%1-year").arg(number);
    const QString found = marksOf(folder);
    if (found == oldMarks) {
        findings.settle(old);
    } else if (found == QLatin1String("saved/saved-year")) {
        findings.settle(restored);
        bool kept = false;
        for (const QString& safety : QDir(folder).entryList({QStringLiteral("Inainte de restaurare*")},
                                                            QDir::Dirs | QDir::NoDotAndDotDot))
            kept = kept || marksOf(QDir(folder).filePath(safety)) == oldMarks;
        if (!kept)
            findings.fault(
                QStringLiteral("restore %1: the data it replaced are in no safety folder").arg(number));
    } else {
        findings.fault(QStringLiteral("restore %1: expected %2 or saved/saved-year, found %3")
                           .arg(number, oldMarks, found));
    }
    findings.countVerified();
}

const CrashScenarioRegistration restore({QStringLiteral("restore"), restoreBackup, verifyRestores, {}, true});

} // namespace
