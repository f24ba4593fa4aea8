#include "app/BackupCommands.h"

#include "app/MainUnt.h"
#include "app/ProtectionCommands.h"
#include "core/BusyCursor.h"
#include "core/NativePath.h"
#include "core/ProgramFolder.h"
#include "core/UserDialogs.h"
#include "core/UserError.h"
#include "db/DatabaseLocation.h"
#include "db/ProtectionKeys.h"
#include "db/SealedFileLayer.h"
#include "year/BackupRestore.h"
#include "year/ClosedYears.h"
#include "year/ManualBackupCopy.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace
{

const QString backupTitle = QStringLiteral("Selecteaza folderul pentru salvarea datelor");
const QString restoreTitle = QStringLiteral("Selecteaza folderul cu datele salvate");

void saveData()
{
    const QString chosen = dialogs().folderName(backupTitle, QDir::homePath());
    if (chosen.isEmpty())
        return;
    if (ManualBackupCopy::isInsideProgramFolder(programFolder(), chosen)) {
        dialogs().warning(ManualBackupCopy::insideProgramFolderMessage(programFolder()));
        return;
    }
    BusyCursor busy(true);
    const QString folder = ManualBackupCopy::backupFolder(chosen);
    if (QFileInfo::exists(folder)) {
        busy.release();
        dialogs().warning(ManualBackupCopy::existsMessage(folder));
        return;
    }
    const QStringList yearFailures = ManualBackupCopy::save(programFolder(), folder, closedYears());
    busy.release();
    if (yearFailures.isEmpty())
        dialogs().information(ManualBackupCopy::successMessage(chosen));
    else
        dialogs().warning(ManualBackupCopy::yearsMissingMessage(folder, yearFailures));
}

void restoreData()
{
    if (DatabaseLocation::instance().isClosedYearOpen())
        return;
    const QString chosen = dialogs().folderName(restoreTitle, QDir::homePath());
    if (chosen.isEmpty())
        return;
    const QString folder = BackupRestore::findBackupFolder(chosen);
    if (folder.isEmpty()) {
        dialogs().warning(QStringLiteral("In directorul %1 nu exista date salvate: nu gasesc fisierul %2.")
                              .arg(nativePath(chosen), DatabaseLocation::databaseFileName));
        return;
    }
    const QString backupDatabase = QDir(folder).filePath(DatabaseLocation::databaseFileName);
    if (!ProtectionCommands::unlockBackup(backupDatabase)) {
        dialogs().warning(QStringLiteral("Fara parola lor, datele din directorul %1 nu pot fi restaurate.")
                              .arg(nativePath(folder)));
        return;
    }
    BackupRestore::BackupSummary backup;
    try {
        backup = BackupRestore::readSummary(folder);
    } catch (const UserError& e) {
        dialogs().warning(QStringLiteral("Datele din directorul %1 nu pot fi restaurate:\n%2")
                              .arg(nativePath(folder), e.text()));
        return;
    }
    // Restored data take the parish's own protection: its password, or none.
    QString question = BackupRestore::confirmationQuestion(backup);
    if (SealedFileLayer::isSealed(backupDatabase) && !ProtectionKeys::activeSalt())
        question += QStringLiteral("\nDatele salvate sunt protejate cu parola, datele parohiei nu: datele "
                                   "restaurate nu vor fi protejate. Le puteti proteja apoi din Sistem > "
                                   "Protectie date...");
    if (!dialogs().question(question))
        return;

    BusyCursor busy(true);
    QString safetyFolder;
    try {
        safetyFolder = BackupRestore::restore(programFolder(), backup, QDateTime::currentDateTime());
    } catch (const BackupRestore::RestoreIncomplete& e) {
        busy.release();
        dialogs().error(QStringLiteral("Datele nu au fost restaurate:\n%1").arg(e.text()));
        return;
    } catch (const UserError& e) {
        busy.release();
        dialogs().error(
            QStringLiteral("Datele nu au fost restaurate:\n%1\nDatele de pana acum au ramas neschimbate.")
                .arg(e.text()));
        return;
    }
    busy.release();
    dialogs().information(QStringLiteral("Datele au fost restaurate din directorul %1.\n"
                                         "Datele de dinainte de restaurare se afla in directorul %2.")
                              .arg(nativePath(folder), nativePath(safetyFolder)));
}

} // namespace

void attachBackupCommands(TMainFrm& mainWindow)
{
    mainWindow.setCommandHandler(QStringLiteral("SalvareDate"), saveData);
    mainWindow.setCommandHandler(QStringLiteral("RestaurareDate"), restoreData);
    QAction* restore = mainWindow.command(QStringLiteral("RestaurareDate"));
    restore->setEnabled(!DatabaseLocation::instance().isClosedYearOpen());
    QObject::connect(&DatabaseLocation::instance(), &DatabaseLocation::closedYearChanged, restore,
                     [restore](bool closedYearOpen) { restore->setEnabled(!closedYearOpen); });
}
