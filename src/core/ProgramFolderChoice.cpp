#include "core/ProgramFolderChoice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace
{

QString cleanAbsolute(const QString& folder)
{
    return QDir::cleanPath(QDir(folder.trimmed()).absolutePath());
}

} // namespace

QString chooseProgramFolder(const QString& executableFolder, const QString& folderOption,
                            const QString& environmentFolder, const QString& homeFolder)
{
    if (!folderOption.trimmed().isEmpty())
        return cleanAbsolute(folderOption);
    const bool installed = QFileInfo(QDir::cleanPath(executableFolder)).fileName() == QLatin1String("bin");
    if (!installed)
        return cleanAbsolute(executableFolder);
    if (!environmentFolder.trimmed().isEmpty())
        return cleanAbsolute(environmentFolder);
    return cleanAbsolute(QDir(homeFolder).filePath(QStringLiteral("Lumivaret")));
}

QString chooseProgramFolder(const QString& folderOption)
{
    return chooseProgramFolder(QCoreApplication::applicationDirPath(), folderOption,
                               QString::fromLocal8Bit(qgetenv("LUMIVARET_FOLDER")), QDir::homePath());
}
