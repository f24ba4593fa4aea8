#pragma once

#include <QSqlQuery>
#include <QString>

// The pieces of a work table's row as the computation tests compare them.
namespace WorkTableText
{

// A column's number in up to twelve significant digits, "-" when it is null.
QString number(const QSqlQuery& query, int column);

// The numbers of the columns first to last, separated by spaces.
QString numbers(const QSqlQuery& query, int first, int last);

} // namespace WorkTableText
