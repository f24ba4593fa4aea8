#include "app/DailyBackup.h"

#include "core/ProgramFolder.h"
#include "core/ProgramOptions.h"
#include "core/UserDialogs.h"
#include "year/ClosedYears.h"
#include "year/DailyBackupCopy.h"
#include "year/DailyBackupPlace.h"

#include <QDir>

QString dailyBackupRoot(const ProgramOptions& options)
{
#ifdef Q_OS_WIN
    Q_UNUSED(options);
    return DailyBackupPlace::backupDrive(DailyBackupPlace::systemDriveType);
#else
    return options.dailyBackupFolder.isEmpty() ? QDir::homePath() : options.dailyBackupFolder;
#endif
}

void DailyBackup(const QString& backupRoot)
{
    const QString dayFolder = DailyBackupPlace::dayFolder(backupRoot, programFolder(), QDate::currentDate());
    const DailyBackupCopy::Outcome outcome = DailyBackupCopy::run(programFolder(), dayFolder, closedYears());
    if (!outcome.yearFailures.isEmpty())
        dialogs().warning(
            QStringLiteral("Salvarea zilnica din directorul %1 nu cuprinde toti anii inchisi:\n%2")
                .arg(QDir::toNativeSeparators(dayFolder), outcome.yearFailures.join(QLatin1Char('\n'))));
}
