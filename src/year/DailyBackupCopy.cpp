#include "year/DailyBackupCopy.h"

#include "core/Utilities.h"
#include "db/DatabaseLocation.h"
#include "year/BackupCopy.h"

#include <QDir>
#include <QFileInfo>

namespace DailyBackupCopy
{

bool isDataFile(const QString& fileName)
{
    return !fileName.contains(QStringLiteral("Lumivaret"), Qt::CaseSensitive);
}

QString failureMessage(const QString& dayFolder)
{
    return QStringLiteral("Nu pot salva baza de date in directorul ") + QDir::toNativeSeparators(dayFolder);
}

Outcome run(const QString& programFolder, const QString& dayFolder, const QList<int>& closedYears)
{
    Outcome outcome;
    if (!QFileInfo::exists(QDir(programFolder).filePath(DatabaseLocation::databaseFileName)))
        return outcome;
    if (!QFileInfo::exists(dayFolder)) {
        try {
            BackupCopy::saveProgramFolder(programFolder, dayFolder, isDataFile);
        } catch (const UserError& e) {
            throw IoError(failureMessage(dayFolder) + QLatin1Char('\n') + e.text());
        }
        outcome.programFolderSaved = true;
    }
    outcome.yearFailures = BackupCopy::saveClosedYears(programFolder, dayFolder, closedYears);
    return outcome;
}

} // namespace DailyBackupCopy
