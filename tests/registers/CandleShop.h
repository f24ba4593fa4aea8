#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

// The candle-shop documents as the incomes and expenses windows store them,
// and the candle-shop work table as text, for the tests of its computation
// and its report.
namespace CandleShop
{

// The candle sale income type and the candle purchase expense type of the
// delivered parameters.
constexpr int saleType = 5;
constexpr int purchaseType = 31;

// Sets the working year and the opening stock and its value (an empty one is null).
void setYear(const QSqlDatabase& db, int year, std::optional<double> candles, std::optional<double> value);

// `date` in ISO form, empty for a document stored without a date; `candles`
// empty for a document stored without a quantity.
void purchase(const QSqlDatabase& db, double number, const QString& date, std::optional<double> candles,
              double value, int expenseType = purchaseType);
void sale(const QSqlDatabase& db, double number, const QString& date, std::optional<double> candles,
          double value, int incomeType = saleType);

// One line per row in the report's order (date, then insertion):
// "date|kind|number|in out stock|value in, out, stock value", an empty value as "-".
QStringList rows(const QSqlDatabase& db);

} // namespace CandleShop
