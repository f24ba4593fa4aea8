#pragma once

#include <QString>

// Where the daily backup goes. On Windows the program folder on drive D,
// without its trailing backslash (C:\Parohie\ gives D:\Parohie); elsewhere
// the user's home folder.
QString dailyBackupRoot(const QString& programFolder);
// The drive rule alone, for any system.
QString backupFolderOnDriveD(const QString& programFolder);

// The daily backup at the first start of each day. It copies nothing yet:
// the backups come with their own window and rules.
void DailyBackup(const QString& backupRoot);
