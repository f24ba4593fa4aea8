#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <optional>

// Balance sheet rows for the tests: a nomenclature of one's own, and the
// figures the rows hold, in key order.
namespace BalanceSheetRows
{

struct Row {
    int number;
    QString name;
    QString formula = {};
    std::optional<double> forecast = {};
    QString account = {};
};

// Replaces the delivered nomenclature with these rows, stored in this order.
void replace(const QSqlDatabase& db, const QList<Row>& rows);

// A field ("Executie", "Prevederi") of every row, in key order, as text:
// "120" or "1234.57", "null" for an empty one.
QStringList figures(const QSqlDatabase& db, const QString& field);

// The field of the rows bearing `number`, in key order, as figures() writes them.
QStringList figuresOf(const QSqlDatabase& db, const QString& field, int number);

// A picture of the whole table, to show that a refused computation changed nothing.
QString snapshot(const QSqlDatabase& db);

} // namespace BalanceSheetRows
