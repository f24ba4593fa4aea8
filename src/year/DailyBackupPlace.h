#pragma once

#include <QDate>
#include <QString>
#include <functional>

// Where the daily backup of one day goes: backup root + "SalvariMorvalen" +
// the date as yyyyMMdd + the program folder's path without its drive or root.
// The existence of that day folder marks the day as saved.
namespace DailyBackupPlace
{

inline const QString backupsFolderName = QStringLiteral("SalvariMorvalen");

// The kinds of drive the system reports for a drive root.
enum class DriveType { Unknown, NoRootFolder, Removable, Fixed, Remote, CdRom, RamDisk };
using DriveTypeProbe = std::function<DriveType(const QString& driveRoot)>;

// The drive rule of Windows: "D:/", the second disk, unless that drive does
// not exist or is a CD-ROM drive; then "C:/".
QString backupDrive(const DriveTypeProbe& probe);

// What the system says of a drive root ("D:/"); Unknown off Windows.
DriveType systemDriveType(const QString& driveRoot);

// "20240305" for 5 March 2024.
QString dateFolderName(const QDate& day);

// The program folder's path without its drive ("C:"), its leading and its
// trailing separators: "C:/Parohie/" gives "Parohie", "/opt/Parohie/" gives
// "opt/Parohie".
QString pathWithoutRoot(const QString& programFolder);

// The day folder: D:/SalvariMorvalen/20240115/Parohie for the program folder
// C:/Parohie/, the backup root D:/ and 15 January 2024.
QString dayFolder(const QString& backupRoot, const QString& programFolder, const QDate& day);

} // namespace DailyBackupPlace
