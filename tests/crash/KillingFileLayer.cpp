#include "crash/KillingFileLayer.h"

#include <csignal>
#include <sqlite3.h>

namespace KillingFileLayer
{
namespace
{

sqlite3_vfs* system = nullptr;
sqlite3_vfs layer;
sqlite3_io_methods methods;
long changesLeft = 0;

// Our file: the system's file lies right behind it.
struct File {
    sqlite3_file base;
    sqlite3_file* real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
};

sqlite3_file* realOf(sqlite3_file* file)
{
    return reinterpret_cast<File*>(file)->real();
}

void beforeChange()
{
    if (changesLeft > 0 && --changesLeft == 0)
        std::raise(SIGKILL);
}

int close(sqlite3_file* f)
{
    return realOf(f)->pMethods->xClose(realOf(f));
}
int read(sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset)
{
    return realOf(f)->pMethods->xRead(realOf(f), buffer, amount, offset);
}
int write(sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset)
{
    beforeChange();
    return realOf(f)->pMethods->xWrite(realOf(f), buffer, amount, offset);
}
int truncate(sqlite3_file* f, sqlite3_int64 size)
{
    beforeChange();
    return realOf(f)->pMethods->xTruncate(realOf(f), size);
}
int sync(sqlite3_file* f, int flags)
{
    beforeChange();
    return realOf(f)->pMethods->xSync(realOf(f), flags);
}
int fileSize(sqlite3_file* f, sqlite3_int64* size)
{
    return realOf(f)->pMethods->xFileSize(realOf(f), size);
}
int lock(sqlite3_file* f, int level)
{
    return realOf(f)->pMethods->xLock(realOf(f), level);
}
int unlock(sqlite3_file* f, int level)
{
    return realOf(f)->pMethods->xUnlock(realOf(f), level);
}
int checkReservedLock(sqlite3_file* f, int* result)
{
    return realOf(f)->pMethods->xCheckReservedLock(realOf(f), result);
}
int fileControl(sqlite3_file* f, int op, void* argument)
{
    return realOf(f)->pMethods->xFileControl(realOf(f), op, argument);
}
int sectorSize(sqlite3_file* f)
{
    return realOf(f)->pMethods->xSectorSize(realOf(f));
}
int deviceCharacteristics(sqlite3_file* f)
{
    return realOf(f)->pMethods->xDeviceCharacteristics(realOf(f));
}

int openFile(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags, int* outFlags)
{
    sqlite3_file* real = reinterpret_cast<File*>(file)->real();
    const int rc = system->xOpen(system, name, real, flags, outFlags);
    // Version 1 of the file methods: no shared memory (WAL) and no memory map.
    file->pMethods = real->pMethods ? &methods : nullptr;
    return rc;
}

// Deleting the rollback journal is the commit itself.
int remove(sqlite3_vfs*, const char* name, int syncFolder)
{
    beforeChange();
    return system->xDelete(system, name, syncFolder);
}

} // namespace

void install(long changesBeforeKill)
{
    changesLeft = changesBeforeKill;
    system = sqlite3_vfs_find(nullptr);
    methods = sqlite3_io_methods{};
    methods.iVersion = 1;
    methods.xClose = close;
    methods.xRead = read;
    methods.xWrite = write;
    methods.xTruncate = truncate;
    methods.xSync = sync;
    methods.xFileSize = fileSize;
    methods.xLock = lock;
    methods.xUnlock = unlock;
    methods.xCheckReservedLock = checkReservedLock;
    methods.xFileControl = fileControl;
    methods.xSectorSize = sectorSize;
    methods.xDeviceCharacteristics = deviceCharacteristics;
    layer = *system;
    layer.zName = "lumivaret-crash";
    layer.szOsFile = int(sizeof(File)) + system->szOsFile;
    layer.xOpen = openFile;
    layer.xDelete = remove;
    sqlite3_vfs_register(&layer, 1);
}

} // namespace KillingFileLayer
