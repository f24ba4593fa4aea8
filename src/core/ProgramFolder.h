#pragma once

#include <QString>

// The folder of the running program, with a trailing separator: every file
// the program names by itself (database, options file, photo) lies in it.
// Set once at start-up, before the main window is created.
QString programFolder();
void setProgramFolder(const QString& folder);
