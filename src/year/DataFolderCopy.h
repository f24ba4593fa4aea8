#pragma once

#include "core/Progress.h"

#include <QString>
#include <functional>

// Copies of a data folder (the program folder or a closed year's folder) for
// the year folders and the backups: the database through SQLite's online
// backup, so the copy is consistent even while the program has it open, and
// the folder's other plain files as they are.
//
// SQLite's side files (the rollback journal, the WAL and its index) are never
// copied: beside a consistent copy a stale journal would be taken for a hot
// one and undo part of it at the next opening.
namespace DataFolderCopy
{

// Decides by its name whether a plain file other than the database is copied.
using NameFilter = std::function<bool(const QString& fileName)>;

// Every file.
bool anyFile(const QString& fileName);
// No file but the database.
bool databaseOnly(const QString& fileName);

// Copies the data of `sourceFolder` into `targetFolder`, creating it with
// its parents; an older file of the same name in the target is replaced.
// The database (`BazaDate.sqlite`), when the folder has one, is always
// copied, whatever the filter says, and the copy must pass SQLite's integrity
// check. Throws IoError or DbError, worded in Romanian, at the first failure;
// the files copied before it stay.
void copy(const QString& sourceFolder, const QString& targetFolder, const NameFilter& accept,
          Progress& progress = noProgress());

// True when the database file opens and passes SQLite's integrity check;
// otherwise false, with the reason in `problem`.
bool passesIntegrityCheck(const QString& databaseFile, QString* problem = nullptr);

// Throws DbError naming the file when it fails the integrity check.
void requireIntegrity(const QString& databaseFile);

// True for the database's side files (journal, WAL, shared memory).
bool isSqliteSideFile(const QString& fileName);

} // namespace DataFolderCopy
