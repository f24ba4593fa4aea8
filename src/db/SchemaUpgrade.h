#pragma once

#include <QSqlDatabase>
#include <QString>
#include <functional>

// Brings a database made by an earlier release up to date by adding the
// fields that later releases introduced, and the documents' search index
// when it is missing. Nothing else of a table changes.
namespace SchemaUpgrade
{

struct AddedField {
    const char* table;
    const char* field;
    const char* sqlType;
};

// The fields checked at every start, in the order that fixes their stored position.
const QList<AddedField>& fields();

// Called once, just before the first statement that changes the database.
using BeforeFirstChange = std::function<void()>;

// Adds the field when the table lacks it; returns true when it was added.
// Throws DbError when the table is missing or the statement fails.
bool AddFieldIfMissing(const QSqlDatabase& db, const QString& table, const QString& field,
                       const QString& sqlType);

// Runs the checks in their fixed order; returns the statements it ran.
// Stops at the first failure (DbError); fields added before it stay added.
QStringList upgrade(const QSqlDatabase& db, const BeforeFirstChange& beforeFirstChange = {});

} // namespace SchemaUpgrade
