#include "app/InterruptedWork.h"

#include "core/FolderPresence.h"
#include "transfer/OldDataImport.h"
#include "year/BackupRestore.h"
#include "year/YearFolderArchive.h"

void finishInterruptedWork(const QString& programFolder)
{
    OldDataImport::finishInterrupted(programFolder);
    YearFolderArchive::finishInterrupted(programFolder);
    BackupRestore::finishInterrupted(programFolder);
    if (const FolderPresence::Alone alone(programFolder); alone.granted())
        BackupRestore::removeAbandonedWorkFolders(programFolder);
}
