#pragma once

#include "db/TableDefinitions.h"

#include <QSqlDatabase>
#include <optional>

// Indexes of a table as they stand in the database, beside those of the
// table definitions; windows add and drop the "Den" orders at run time.
namespace TableIndexes
{

// The index of `table` with that name: a defined key or secondary index, or
// one added at run time. An empty name gives the primary key.
std::optional<IndexDef> find(const QSqlDatabase& db, const QString& table, const QString& name);

// The case-insensitive flag of an index over exactly these fields, if any.
std::optional<IndexDef> findByFields(const QSqlDatabase& db, const QString& table, const QStringList& fields);

void add(const QSqlDatabase& db, const QString& table, const IndexDef& index);
void drop(const QSqlDatabase& db, const QString& table, const QString& name);

} // namespace TableIndexes
