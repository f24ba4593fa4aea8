#pragma once

#include "core/Progress.h"

#include <QSqlDatabase>
#include <QString>

struct sqlite3;

// A consistent copy of an open database file, for backups and year folders.
// SQLite's online backup reads the committed state of the database through
// the connection, so the copy is whole even while windows hold their tables
// open or another connection has a write pending.
//
// The copy is written under a temporary name beside the target and renamed
// over it only when complete, its folder synced so that the finished copy
// outlives a power loss: a failed copy leaves the target as it was and
// no partial file behind (a copy cut short by a crash leaves one, which the
// next copy to the same target removes). The database itself is never written.
//
// Throws DbError, worded in Romanian, when the target is the database file
// itself (under any spelling or link), when the connection is in the middle of
// a transaction of its own (its changes are not committed yet), or when the
// target cannot be written.
namespace DatabaseCopy
{

inline const QString progressCaption = QStringLiteral("Copiere baza de date");

// Removes what a copy to `targetFile` cut short by a crash left beside it.
void removeUnfinishedCopies(const QString& targetFile);

// Copies the database open on `db` to `targetFile`, replacing an older copy.
// Progress counts the database pages copied.
void copyTo(const QSqlDatabase& db, const QString& targetFile, Progress& progress = noProgress());
// The same from an SQLite connection.
void copyTo(sqlite3* source, const QString& targetFile, Progress& progress = noProgress());

} // namespace DatabaseCopy
