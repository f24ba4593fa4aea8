#pragma once

#include <QString>
#include <utility>
#include <vector>

// The number proposed for a new document: one above the highest number
// stored in the given tables (table, number field); tables that share one
// sequence are given together. An empty table counts as 0. Throws DbError.
double nextDocumentNumber(const std::vector<std::pair<QString, QString>>& tablesAndFields);
