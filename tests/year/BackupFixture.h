#pragma once

#include "support/TestFolder.h"

#include <QString>
#include <QStringList>

// Small helpers over the folders the backups and the restore write.
namespace BackupFixture
{

// The plain files of a folder, by name.
QStringList filesIn(const QString& folder);
// Its subfolders, by name.
QStringList foldersIn(const QString& folder);
// The rows of a table of a database file, read through a connection of its own.
int rowsIn(const QString& databaseFile, const QString& table);
// Overwrites the pages after the header: the file stays an SQLite file, its tables do not.
void damageDatabase(const QString& databaseFile);
// One stock row per name, so that databases can be told apart.
void addStock(const QStringList& names);

// The working year 2024 open after the closing of 2022 and 2023 (Ani: 2022,
// 2023, 2024), with the program, its manual, the options file and the photo.
void parishWithClosedYears(TestFolder& folder);

} // namespace BackupFixture
