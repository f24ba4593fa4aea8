#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The daily backup at the first start of each day, into its day folder (see
// DailyBackupPlace). It runs before the program opens its database.
namespace DailyBackupCopy
{

struct Outcome {
    bool programFolderSaved = false; // false when the day was saved already
    QStringList yearFailures;        // closed years that could not be saved
};

// Files of the program itself ("Lumivaret", "HelpLumivaret.exe") are not
// saved each day; the data, the options file and the photo are.
bool isDataFile(const QString& fileName);

// "Nu pot salva baza de date in directorul " + the day folder.
QString failureMessage(const QString& dayFolder);

// When the day folder does not exist: saves the program folder's data files
// into it (it appears only once complete). Then, whether or not the day was
// saved already, each closed year whose subfolder the day folder lacks. A
// program folder without a database has nothing to save yet and leaves the
// day unmarked. Throws IoError with failureMessage() and the reason when the
// program folder's files cannot be saved.
Outcome run(const QString& programFolder, const QString& dayFolder, const QList<int>& closedYears);

} // namespace DailyBackupCopy
