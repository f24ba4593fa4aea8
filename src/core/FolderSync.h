#pragma once

#include <QString>

// Writes the folder's own entries to the disk, so that a file just renamed
// into it (a finished copy put in place) is still there under its new name
// after a power loss, and not only in the disk cache. False when the folder
// cannot be synced (the entries then stay to the system, as they were);
// a no-op where the system keeps folder entries itself.
bool syncFolder(const QString& folder);
