#include "app/HelpDocuments.h"

#include "app/MainUnt.h"
#include "core/DesktopShell.h"
#include "core/ProgramFolder.h"
#include "core/UserDialogs.h"

#include <QDir>
#include <QFileInfo>

void HelpDocuments::open(const QString& fileName)
{
    const QString path = programFolder() + fileName;
    if (!QFileInfo(path).isFile()) {
        dialogs().warning(missingMessage.arg(fileName, QDir::toNativeSeparators(programFolder())));
        return;
    }
    if (!desktopShell().open(path))
        dialogs().warning(cannotOpenMessage.arg(QDir::toNativeSeparators(path)));
}

void attachHelpCommands(TMainFrm& mainWindow)
{
    mainWindow.setCommandHandler(QStringLiteral("Manual"),
                                 [] { HelpDocuments::open(HelpDocuments::manualFile); });
    mainWindow.setCommandHandler(QStringLiteral("StatutulBOR"),
                                 [] { HelpDocuments::open(HelpDocuments::statuteFile); });
}
