#pragma once

#include "core/Utilities.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// Putting a backup (the manual backup's "Lumivaret" folder, a daily
// backup's day folder, or a safety folder left by an earlier restore) back
// in place of the working year's database and the closed years' folders.
namespace BackupRestore
{

// A restore that failed halfway and could not put all of the data it had
// moved back in place; the text says where that data is.
class RestoreIncomplete : public IoError
{
public:
    using IoError::IoError;
};

// What a backup holds, shown to the user before he confirms.
struct BackupSummary {
    QString folder;                 // the folder holding the backup's database
    std::optional<int> workingYear; // An_lucru of its parish record
    QDate lastDocument;             // date of its newest document; null without documents
    QList<int> closedYears;         // its year subfolders, in order
};

// The folder holding the backup's database: the chosen folder itself, or the
// folder reached from it through subfolders that are each the only entry of
// their parent (a day folder leads so to the saved program folder). A year
// folder leads to its parent's data, a folder holding "Lumivaret" with a
// database to that one. Empty when there is none.
QString findBackupFolder(const QString& chosenFolder);

// Reads what the backup in `backupFolder` holds. Throws UserError when its
// database is missing, empty, fails the integrity check, lacks a table of the
// parish or its working year, or is the working year's own database.
BackupSummary readSummary(const QString& backupFolder);

// The question asked before restoring.
QString confirmationQuestion(const BackupSummary& backup);

// "Inainte de restaurare 20241201-1530": no year folder can bear such a name.
QString safetyFolderName(const QDateTime& now);

// Restores the backup into the program folder, with the program's
// connection open on the working year:
// 1. copies the backup's database and year folders beside the current data
//    (every copy checked), so that nothing changes when one fails;
// 2. copies the current database and year folders into the safety folder
//    (program folder + safetyFolderName(now), another name when taken);
// 3. closes the connection, renames the copies into place, reopens the
//    working year and upgrades its tables; when any of it fails the renames
//    are undone and the current data reopened;
// 4. tells the open windows to read their records again.
// Throws UserError, with the current data left in place and no safety folder
// left behind, on failure;
// RestoreIncomplete when some of it could not be put back.
// Returns the safety folder.
QString restore(const QString& programFolder, const BackupSummary& backup, const QDateTime& now);

// Undoes a restore cut between its renames (a kill, a power loss): the data
// it had put aside come back, what it had brought in goes, and its work
// folders are removed. Runs at start, before the database is opened (which
// would otherwise create an empty one). Throws IoError when a rename back fails.
void finishInterrupted(const QString& programFolder);

// Removes the work folders of a restore killed before its renames (its copies
// of the backup and of the current data, under way). Only for a run that has
// the program folder alone: another run may be restoring into them.
void removeAbandonedWorkFolders(const QString& programFolder);

} // namespace BackupRestore
