#pragma once

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <optional>

// The figures the charts draw, computed from the documents of a period
// (both ends included). Deposits and withdrawals move money between the
// two accounts and count in none of them.
namespace ChartData
{

// One month of the period: incomes of both accounts, and payments plus the
// salary order lines; `balance` is the money held (cash and bank) at the
// month's end, or at the period's end for its last month.
struct MonthFlow {
    QDate month; // its first day
    double incomes = 0;
    double payments = 0;
    double balance = 0;
};
QList<MonthFlow> monthlyFlows(const QSqlDatabase& db, const QDate& from, const QDate& to);

// The total of one income or expense type; a type without a code in the
// catalogue is named as its documents name it.
struct TypeTotal {
    std::optional<int> code; // none for the "Altele" row
    QString name;
    double amount = 0;
};
inline constexpr int largestTypes = 10;
inline const QString othersName = QStringLiteral("Altele");
// The ten largest types by amount, largest first (equal amounts by code),
// then "Altele" with the rest (0 when there are no more types).
QList<TypeTotal> incomeTypes(const QSqlDatabase& db, const QDate& from, const QDate& to);
// The same for the expenses: payments and salary order lines by their type.
QList<TypeTotal> expenseTypes(const QSqlDatabase& db, const QDate& from, const QDate& to);

// The yearly contribution by month: what falls due in the month (the year's
// due of every family, its carried arrears included, spread evenly over the
// twelve months) and what was collected (incomes of the contribution's type).
struct MonthContribution {
    QDate month;
    double due = 0;
    double collected = 0;
};
// Throws UserError when the contribution's income type is not set.
QList<MonthContribution> contributionByMonth(const QSqlDatabase& db, const QDate& from, const QDate& to);

// "03.2024"
QString monthText(const QDate& month);

} // namespace ChartData
