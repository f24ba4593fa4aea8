#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

// The arrears query: one row per parishioner with the sum of his
// contribution payments dated on or before a reference date. The payment
// conditions stand in the join, so that a parishioner without payments still
// has his row, with Achitat null.
//
// Columns: Cod_enorias, Nume_prenume, Strada, Nr, Tip_contributie, Restanta,
// Achitat. Parameters: :CodVen (the contribution income code) and :Data.
namespace Contributions
{

enum class ArrearsOrder {
    ByName, // name, street, number, code; names in the Romanian alphabet
    ByCode, // code compared as text ("10" before "9"), then street, number, name
};

// The statement as seven lines; the last one (orderLineIndex) is the ORDER BY
// that a report may replace.
QStringList arrearsQueryLines();
inline constexpr int orderLineIndex = 6;
QString orderLine(ArrearsOrder order);

// The whole statement in the given order.
QString arrearsQueryText(ArrearsOrder order = ArrearsOrder::ByName);

// Runs the statement; throws DbError on failure.
QSqlQuery runArrearsQuery(const QSqlDatabase& db, const QDate& referenceDate, int contributionIncomeCode,
                          ArrearsOrder order = ArrearsOrder::ByName);

} // namespace Contributions
