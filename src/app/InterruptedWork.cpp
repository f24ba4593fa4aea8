#include "app/InterruptedWork.h"

#include "transfer/OldDataImport.h"
#include "year/BackupRestore.h"
#include "year/YearFolderArchive.h"

void finishInterruptedWork(const QString& programFolder)
{
    OldDataImport::finishInterrupted(programFolder);
    YearFolderArchive::finishInterrupted(programFolder);
    BackupRestore::finishInterrupted(programFolder);
}
