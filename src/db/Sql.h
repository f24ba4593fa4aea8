#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <initializer_list>
#include <utility>

// Runs statements on a connection and turns every failure into a DbError.
namespace Sql
{

using Binding = std::pair<QString, QVariant>;

// Prepares and runs a statement with its named parameters (":Data").
QSqlQuery exec(const QSqlDatabase& db, const QString& statement,
               std::initializer_list<Binding> bindings = {});

// The same with positional parameters ("?"); `table` names the table in
// the wording of a refused key or required field.
QSqlQuery execPositional(const QSqlDatabase& db, const QString& statement, const QVariantList& values,
                         const QString& table = {});

// The first column of the first row, or an invalid QVariant without rows.
QVariant scalar(const QSqlDatabase& db, const QString& statement,
                std::initializer_list<Binding> bindings = {});

// Double-quoted identifier, so that names such as "Cont bancar" work.
QString quoted(const QString& identifier);

// A table's or field's name, quoted, as the connection's store writes it
// (the server keeps names in lower case).
QString name(const QSqlDatabase& db, const QString& identifier);

bool tableExists(const QSqlDatabase& db, const QString& table);

// Field names of a table in their stored order.
QStringList fieldNames(const QSqlDatabase& db, const QString& table);

// The declared type ("DATE", "VARCHAR(40)") of each column of an executed
// query; empty for a column that is an expression rather than a table's field.
QStringList declaredColumnTypes(const QSqlQuery& query);

} // namespace Sql
