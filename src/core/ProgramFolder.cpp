#include "core/ProgramFolder.h"

#include "core/Utilities.h"

namespace
{
QString& storedProgramFolder()
{
    static QString folder;
    return folder;
}
} // namespace

QString programFolder()
{
    return storedProgramFolder();
}

void setProgramFolder(const QString& folder)
{
    storedProgramFolder() = WithBackslash(folder);
}
