#include "year/DailyBackupPlace.h"

#include <QDir>
#include <QRegularExpression>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace DailyBackupPlace
{

QString backupDrive(const DriveTypeProbe& probe)
{
    const QString secondDisk = QStringLiteral("D:/");
    switch (probe(secondDisk)) {
    case DriveType::Unknown:
    case DriveType::NoRootFolder:
    case DriveType::CdRom:
        return QStringLiteral("C:/");
    default:
        return secondDisk;
    }
}

DriveType systemDriveType(const QString& driveRoot)
{
#ifdef Q_OS_WIN
    const std::wstring root = QDir::toNativeSeparators(driveRoot).toStdWString();
    switch (GetDriveTypeW(root.c_str())) {
    case DRIVE_NO_ROOT_DIR:
        return DriveType::NoRootFolder;
    case DRIVE_REMOVABLE:
        return DriveType::Removable;
    case DRIVE_FIXED:
        return DriveType::Fixed;
    case DRIVE_REMOTE:
        return DriveType::Remote;
    case DRIVE_CDROM:
        return DriveType::CdRom;
    case DRIVE_RAMDISK:
        return DriveType::RamDisk;
    default:
        return DriveType::Unknown;
    }
#else
    Q_UNUSED(driveRoot);
    return DriveType::Unknown;
#endif
}

QString dateFolderName(const QDate& day)
{
    return day.toString(QStringLiteral("yyyyMMdd"));
}

QString pathWithoutRoot(const QString& programFolder)
{
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
    static const QRegularExpression edgeSeparators(QStringLiteral("^/+|/+$"));
    QString path = QDir::fromNativeSeparators(programFolder);
    path.remove(drive);
    path.remove(edgeSeparators);
    return path;
}

QString dayFolder(const QString& backupRoot, const QString& programFolder, const QDate& day)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(backupRoot) + QLatin1Char('/') + backupsFolderName +
                           QLatin1Char('/') + dateFolderName(day) + QLatin1Char('/') +
                           pathWithoutRoot(programFolder));
}

} // namespace DailyBackupPlace
