#pragma once

#include <QString>

// Finishes, at the start of the program and before its database is opened,
// what a crash or a power loss cut short in the program folder: an import
// whose databases were being put in place, a year folder being swapped.
// Throws UserError when a file cannot be put in place.
void finishInterruptedWork(const QString& programFolder);
