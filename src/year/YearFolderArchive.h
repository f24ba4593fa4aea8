#pragma once

#include <QString>

// The year folder of a closed year (program folder + year): the frozen copy
// of the program folder's data as they were when the year was closed.
namespace YearFolderArchive
{

// The program folder's files that go into a year folder: all but the
// program and its manual ("Lumivaret"), the parish photo ("poza") and the
// church statute ("StatutulBOR"). The database always goes.
bool isArchived(const QString& fileName);

// Copies the program folder's data into its year folder for `year`. A year
// folder left by an earlier attempt is replaced by the fresh copy: the copy is
// made beside it and swapped in only when complete, so the folder holds
// either the old copy or the new one, never half of one.
// Throws IoError "Nu pot salva baza de date in directorul ..." with the reason.
void refresh(const QString& programFolder, int year);

// Settles the refreshes cut short (by a crash or a power loss): a year folder
// found only under the name it was moved aside to goes back in its place, and
// the copies left unfinished go. Run at the start of the program.
void finishInterrupted(const QString& programFolder);

} // namespace YearFolderArchive
