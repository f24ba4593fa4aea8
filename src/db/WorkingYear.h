#pragma once

#include <QSqlDatabase>

// The working year of the database: An_lucru of the parish record. Throws
// DbError when the store fails or the year is not filled in.
int workingYearOf(const QSqlDatabase& db);
