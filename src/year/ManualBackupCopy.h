#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The backup the user asks for ("Salvare date") into a folder of his
// choice: every file of the program folder, the program included, and the
// closed years, in the subfolder "Lumivaret" of the chosen folder.
namespace ManualBackupCopy
{

// The chosen folder + "Lumivaret".
QString backupFolder(const QString& chosenFolder);

// True when the chosen folder is the program folder or lies inside it: such
// a backup is lost with the data, and inside a year folder it would change a
// closed year's frozen copy.
bool isInsideProgramFolder(const QString& programFolder, const QString& chosenFolder);
// The warning refusing such a folder.
QString insideProgramFolderMessage(const QString& programFolder);
// The warning for a backup folder (or a year's) that exists already.
QString existsMessage(const QString& folder);
// "Nu pot salva baza de date in directorul " + the backup folder.
QString failureMessage(const QString& folder);
// The closing message of a backup that saved everything.
QString successMessage(const QString& chosenFolder);
// The closing message of a backup whose closed years were not all saved.
QString yearsMissingMessage(const QString& folder, const QStringList& yearFailures);

// Copies the program folder's files and the closed years into the backup
// folder, which appears only once they are all there. Throws IoError with
// failureMessage() and the reason when the program folder's files cannot be
// saved (or the folder exists); returns the closed years that failed.
QStringList save(const QString& programFolder, const QString& backupFolder, const QList<int>& closedYears);

} // namespace ManualBackupCopy
