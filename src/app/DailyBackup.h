#pragma once

#include <QString>

struct ProgramOptions;

// The root the daily backups go under. On Windows the drive rule: D:/, or
// C:/ when there is no drive D or it is a CD-ROM drive; elsewhere the folder
// named in the options file, else the user's home folder.
QString dailyBackupRoot(const ProgramOptions& options);

// The daily backup at the start of the program, before it opens its
// database: the program folder's data into today's day folder under
// `backupRoot` unless it exists, then the closed years the day folder lacks.
// Throws IoError ("Nu pot salva baza de date in directorul ...") when the
// program folder's files cannot be saved; a closed year that cannot be
// saved is told in a warning and the program starts all the same.
void DailyBackup(const QString& backupRoot);
