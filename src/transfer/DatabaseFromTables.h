#pragma once

#include "transfer/TableSummary.h"

#include <QHash>

// The older table files of one folder, by table name in lower case
// ("venituri" -> "VENITURI.DB"): the names of the files are kept as found.
QHash<QString, QString> tableFilesIn(const QString& folder);

// Builds a new database file holding every table of the schema, filled from
// the folder's table files of the same name: a table without a file stays
// empty, files the schema does not know are left alone. Returns one summary
// per file read, in the schema's order. Throws ImportError.
QList<TableSummary> buildDatabaseFromTables(const QString& folder, const QString& databaseFile);
