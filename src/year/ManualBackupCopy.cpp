#include "year/ManualBackupCopy.h"

#include "core/NativePath.h"
#include "core/Utilities.h"
#include "year/BackupCopy.h"
#include "year/StagedFolder.h"

#include <QDir>
#include <QFileInfo>

namespace ManualBackupCopy
{

QString backupFolder(const QString& chosenFolder)
{
    return QDir(chosenFolder).filePath(QStringLiteral("Lumivaret"));
}

bool isInsideProgramFolder(const QString& programFolder, const QString& chosenFolder)
{
    // Through the links, as the files are reached.
    const QString program = QFileInfo(programFolder).canonicalFilePath();
    const QString chosen = QFileInfo(chosenFolder).canonicalFilePath();
    if (program.isEmpty() || chosen.isEmpty())
        return false;
    return chosen == program || chosen.startsWith(program + QLatin1Char('/'));
}

QString insideProgramFolderMessage(const QString& programFolder)
{
    return QStringLiteral("Datele nu pot fi salvate in directorul programului (%1) sau intr-un director din "
                          "el: s-ar pierde odata cu datele.\n"
                          "Alegeti un director din afara lui, de preferat pe alt disc sau pe un stick, "
                          "si reluati operatiunea.")
        .arg(nativePath(QDir::cleanPath(programFolder)));
}

QString existsMessage(const QString& folder)
{
    return QStringLiteral("Baza de date nu poate fi salvata deoarece directorul %1 exista deja.\n"
                          "Puteti sterge acest director sau alegeti altul si reluati operatiunea.")
        .arg(nativePath(folder));
}

QString failureMessage(const QString& folder)
{
    return QStringLiteral("Nu pot salva baza de date in directorul ") + nativePath(folder);
}

QString successMessage(const QString& chosenFolder)
{
    return QStringLiteral("Operatiune terminata cu succes!\nBaza de date a fost salvata in directorul ") +
           nativePath(backupFolder(chosenFolder)) + QLatin1Char('.');
}

QString yearsMissingMessage(const QString& folder, const QStringList& yearFailures)
{
    return QStringLiteral("Baza de date a fost salvata in directorul %1, dar urmatorii ani inchisi "
                          "nu au putut fi salvati:\n%2")
        .arg(nativePath(folder), yearFailures.join(QLatin1Char('\n')));
}

QStringList save(const QString& programFolder, const QString& backupFolder, const QList<int>& closedYears)
{
    // The closed years go into the folder before it appears under its name:
    // a backup cut short never passes for one holding every year.
    try {
        StagedFolder staged(backupFolder);
        DataFolderCopy::copy(programFolder, staged.path(), DataFolderCopy::anyFile);
        const QStringList yearFailures =
            BackupCopy::saveClosedYears(programFolder, staged.path(), closedYears);
        staged.commit();
        return yearFailures;
    } catch (const UserError& e) {
        throw IoError(failureMessage(backupFolder) + QLatin1Char('\n') + e.text());
    }
}

} // namespace ManualBackupCopy
