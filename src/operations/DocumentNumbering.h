#pragma once

#include <QSqlDatabase>
#include <QString>
#include <utility>
#include <vector>

// Tables that share one sequence of numbers: (table, number field).
using NumberSequence = std::vector<std::pair<QString, QString>>;

// The number proposed for a new document: one above the highest number
// stored in the given tables (table, number field); tables that share one
// sequence are given together. An empty table counts as 0. Throws DbError.
double nextDocumentNumber(const NumberSequence& tablesAndFields);

// Whether a document of the sequence already has the number. Throws DbError.
bool documentNumberTaken(const NumberSequence& tablesAndFields, double number);

// Makes the transaction open on `db` the only one of all connections
// numbering the sequence until it ends: the others wait there, and then see
// the numbers it stored. Throws DbError.
void serialiseNumbering(const QSqlDatabase& db, const NumberSequence& tablesAndFields);
