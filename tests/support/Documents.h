#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <optional>

// Stores the documents of the movement tables the way the document windows
// do, for the tests of the computations and reports built on them.
namespace Documents
{

// Sets the working year and the opening balances (an empty one is null).
void setYear(const QSqlDatabase& db, int year, std::optional<double> cash, std::optional<double> bank);

// `date` in ISO form, empty for a document stored without a date.
void receipt(const QSqlDatabase& db, double number, const QString& date, double amount,
             const QString& account = QStringLiteral("Casa"),
             const QString& explanation = QStringLiteral("Donatie"), int incomeType = 1);
void payment(const QSqlDatabase& db, double number, const QString& date, double amount,
             const QString& account = QStringLiteral("Casa"),
             const QString& explanation = QStringLiteral("Lumanari"), int expenseType = 34);
void deposit(const QSqlDatabase& db, double number, const QString& date, double amount);
void withdrawal(const QSqlDatabase& db, double number, const QString& date, double amount);
// A salary payment order with one line per (expense type, amount).
void salaryOrder(const QSqlDatabase& db, double number, const QString& date, const QString& account,
                 const QList<std::pair<int, double>>& lines,
                 const QString& explanation = QStringLiteral("Salarii"));

// Makes the database one of a release before the search index: the index
// table and every trigger dropped.
void dropSearchIndex(const QSqlDatabase& db);

} // namespace Documents
