#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

// A database written out as text, for comparing databases whole.
namespace DatabaseDump
{

// A field's text, "null" for a null.
QString cellText(const QVariant& value);
// The rows of one table, each as its fields' texts joined by '|', in stored order.
QStringList rowsOf(const QSqlDatabase& db, const QString& table, const QString& fields = QStringLiteral("*"));
// The schema and every table's rows: equal dumps, equal databases.
QStringList dump(const QSqlDatabase& db);
// The same of a database file, read through a connection of its own.
QStringList dumpOfFile(const QString& databaseFile);

} // namespace DatabaseDump
