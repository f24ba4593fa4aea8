#pragma once

#include "year/DataFolderCopy.h"

#include <QList>
#include <QString>
#include <QStringList>

// The copy steps both backups share: the program folder's files into the
// backup folder, then each closed year's folder into a subfolder named by
// the year. Every copy goes through DataFolderCopy, so each database copied
// has passed the integrity check before the backup is called done.
namespace BackupCopy
{

// Copies the program folder's files that `accept` lets through (the
// database always) into `backupFolder`, which appears only once complete.
// Throws IoError or DbError when the copy fails; nothing is left then.
void saveProgramFolder(const QString& programFolder, const QString& backupFolder,
                       const DataFolderCopy::NameFilter& accept);

// Copies program folder + Y into backupFolder + Y for each closed year Y
// whose subfolder the backup lacks, each appearing only once complete. A
// year that fails does not stop the others; the result has one line per
// failure ("anul 2023: ...").
QStringList saveClosedYears(const QString& programFolder, const QString& backupFolder,
                            const QList<int>& years);

} // namespace BackupCopy
