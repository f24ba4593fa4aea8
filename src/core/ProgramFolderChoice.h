#pragma once

#include <QString>

// Where the parish's files are kept. A copy of the program run from a folder
// of its own (~/Lumivaret/Lumivaret) keeps them beside itself; an installed
// program (in a folder named "bin", as /usr/bin/lumivaret) cannot, and keeps
// them in the folder named by LUMIVARET_FOLDER, else in ~/Lumivaret. A
// folder named with --folder wins over both. Returned without a trailing separator.
QString chooseProgramFolder(const QString& executableFolder, const QString& folderOption,
                            const QString& environmentFolder, const QString& homeFolder);

// The same for the running program: its folder, LUMIVARET_FOLDER and the home folder.
QString chooseProgramFolder(const QString& folderOption);
