#pragma once

#include "transfer/TableSummary.h"

struct TableDef;
struct sqlite3;

// Copies the rows of one older table file into its table of a database
// being built, in file order, field by field by name. A row that the table
// cannot hold (a duplicate key, a text longer than its field, a number
// outside its field's range) is refused and reported; any other failure
// throws ImportError naming the file and the row.
TableSummary importTable(const QString& filePath, const TableDef& table, sqlite3* db);
