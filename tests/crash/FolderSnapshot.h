#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

// What the crash scenarios of whole folders (the import, the backups, the
// year folders) compare: every file and folder under a folder, and the
// contents of the databases in it.
namespace FolderSnapshot
{

// Every entry under `folder`, hidden ones too, by path relative to it: a
// file's bytes, or "<dir>" for a folder.
using Entries = QMap<QString, QByteArray>;
Entries entriesUnder(const QString& folder);

// The entries whose path holds `text` (the mark of a temporary name).
QStringList pathsContaining(const Entries& entries, const QString& text);

// Copies a folder with everything in it; throws std::runtime_error on failure.
void copyFolder(const QString& from, const QString& to);

// The rows of every table of a database file, for comparing two databases
// whose bytes differ; "damaged: ..." when it fails the integrity check.
QString databaseRows(const QString& databaseFile);

// Creates a database for `year` holding `incomes` income documents.
void makeDatabase(const QString& databaseFile, int year, int incomes);

// Gives the name an entry is compared under (a name holding the time of day
// compared without it); an empty name leaves the entry out of the comparison.
using NameRule = std::function<QString(const QString& path)>;

// "" when `folder` holds exactly the entries of `expected`, the databases
// compared by their rows; else what differs.
QString differences(const QString& folder, const QString& expected, const NameRule& nameOf = {});

} // namespace FolderSnapshot
