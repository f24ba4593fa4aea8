#include "app/DailyBackup.h"

#include <QDir>

QString backupFolderOnDriveD(const QString& programFolder)
{
    if (programFolder.size() < 2)
        return QStringLiteral("D");
    return QLatin1Char('D') + programFolder.mid(1, programFolder.size() - 2);
}

QString dailyBackupRoot(const QString& programFolder)
{
#ifdef Q_OS_WIN
    return backupFolderOnDriveD(programFolder);
#else
    Q_UNUSED(programFolder);
    return QDir::homePath();
#endif
}

void DailyBackup(const QString& backupRoot)
{
    Q_UNUSED(backupRoot);
}
