#include "app/HelpDocuments.h"

#include "app/MainUnt.h"
#include "core/DesktopShell.h"
#include "core/ProgramFolder.h"
#include "core/UserDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace
{

void openFile(const QString& path)
{
    if (!desktopShell().open(path))
        dialogs().warning(HelpDocuments::cannotOpenMessage.arg(QDir::toNativeSeparators(path)));
}

} // namespace

QStringList HelpDocuments::manualFolders(const QString& programFolder, const QString& executableFolder)
{
    QStringList folders;
    for (const QString& folder :
         {programFolder, executableFolder, executableFolder + QStringLiteral("/../share/doc/lumivaret")}) {
        const QString clean = QDir::cleanPath(folder);
        if (!folder.isEmpty() && !folders.contains(clean))
            folders << clean;
    }
    return folders;
}

void HelpDocuments::open(const QString& fileName)
{
    const QString path = programFolder() + fileName;
    if (!QFileInfo(path).isFile()) {
        dialogs().warning(missingMessage.arg(fileName, QDir::toNativeSeparators(programFolder())));
        return;
    }
    openFile(path);
}

void HelpDocuments::openManual()
{
    const QStringList folders = manualFolders(programFolder(), QCoreApplication::applicationDirPath());
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(manualFile);
        if (QFileInfo(path).isFile()) {
            openFile(path);
            return;
        }
    }
    QStringList shown;
    for (const QString& folder : folders)
        shown << QDir::toNativeSeparators(folder);
    dialogs().warning(manualMissingMessage.arg(manualFile, shown.join(QLatin1Char('\n'))));
}

void attachHelpCommands(TMainFrm& mainWindow)
{
    mainWindow.setCommandHandler(QStringLiteral("Manual"), [] { HelpDocuments::openManual(); });
    mainWindow.setCommandHandler(QStringLiteral("StatutulBOR"),
                                 [] { HelpDocuments::open(HelpDocuments::statuteFile); });
}
