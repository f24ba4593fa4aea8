#pragma once

#include <QSqlDatabase>
#include <QString>

struct TableDef;

// Creates tables from their definitions, and the working year's database at
// the very first start.
namespace SchemaBuilder
{

// The CREATE TABLE statement of one table (its indexes are created apart).
QString createStatement(const TableDef& table);

void createTable(const QSqlDatabase& db, const TableDef& table);

// Creates a new database file with every table and the delivered contents,
// the working year being `workingYear`. The file appears complete or not at
// all: it is built under a temporary name and renamed when done.
// Throws DbError; an existing file is never touched.
void createDatabase(const QString& filePath, int workingYear);

// Creates the working year's schema on a server's database (a connection
// opened with Connection::openServerNamed on that schema): the Romanian
// collation, every table and the delivered contents, all or nothing.
// Throws DbError; an existing schema is never touched.
void createServerSchema(const QSqlDatabase& db, const QString& schema, int workingYear);

} // namespace SchemaBuilder
