#include "year/BackupCopy.h"

#include "core/UserError.h"
#include "year/StagedFolder.h"

#include <QDir>
#include <QFileInfo>

namespace BackupCopy
{

void saveProgramFolder(const QString& programFolder, const QString& backupFolder,
                       const DataFolderCopy::NameFilter& accept)
{
    StagedFolder staged(backupFolder);
    DataFolderCopy::copy(programFolder, staged.path(), accept);
    staged.commit();
}

QStringList saveClosedYears(const QString& programFolder, const QString& backupFolder,
                            const QList<int>& years)
{
    QStringList failures;
    for (const int year : years) {
        const QString name = QString::number(year);
        const QString target = QDir(backupFolder).filePath(name);
        if (QFileInfo::exists(target))
            continue;
        try {
            saveProgramFolder(QDir(programFolder).filePath(name), target, DataFolderCopy::anyFile);
        } catch (const UserError& e) {
            failures << QStringLiteral("anul %1: %2").arg(name, e.text());
        }
    }
    return failures;
}

} // namespace BackupCopy
