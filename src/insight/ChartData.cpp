#include "insight/ChartData.h"

#include "contributions/ContributionParameters.h"
#include "contributions/ContributionRule.h"
#include "db/Sql.h"

#include <QHash>
#include <QSqlQuery>
#include <algorithm>

namespace ChartData
{

namespace
{

QList<QDate> monthsOf(const QDate& from, const QDate& to)
{
    QList<QDate> months;
    for (QDate m(from.year(), from.month(), 1); m <= to; m = m.addMonths(1))
        months << m;
    return months;
}

// Sums of `amount` by month ("YYYY-MM") of the rows of `source` dated in the period.
QHash<QString, double> sumsByMonth(const QSqlDatabase& db, const QString& source, const QDate& from,
                                   const QDate& to)
{
    QSqlQuery q = Sql::execPositional(
        db,
        QStringLiteral(
            "SELECT substr(CAST(Data AS TEXT), 1, 7), sum(amount) FROM (%1) AS movements "
            "WHERE Data >= ? AND Data <= ? GROUP BY 1")
            .arg(source),
        {from.toString(Qt::ISODate), to.toString(Qt::ISODate)});
    QHash<QString, double> sums;
    while (q.next())
        sums.insert(q.value(0).toString(), q.value(1).toDouble());
    return sums;
}

const QString incomeRows = QStringLiteral("SELECT Data, Valoarea AS amount FROM Venituri");
const QString paymentRows =
    QStringLiteral("SELECT Data, Valoarea AS amount FROM Cheltuieli UNION ALL "
                   "SELECT c.Data, i.Valoarea FROM CheltSal c JOIN ItemsSal i ON i.Id_CheltSal = c.Id");

double scalarSum(const QSqlDatabase& db, const QString& source, const QDate& day)
{
    QSqlQuery q = Sql::execPositional(
        db, QStringLiteral("SELECT coalesce(sum(amount), 0) FROM (%1) AS movements WHERE Data < ?").arg(source),
        {day.toString(Qt::ISODate)});
    return q.next() ? q.value(0).toDouble() : 0;
}

QList<TypeTotal> largestFirst(QList<TypeTotal> totals)
{
    std::stable_sort(totals.begin(), totals.end(), [](const TypeTotal& a, const TypeTotal& b) {
        if (a.amount != b.amount)
            return a.amount > b.amount;
        return a.code.value_or(0) < b.code.value_or(0);
    });
    QList<TypeTotal> result = totals.mid(0, largestTypes);
    TypeTotal others{std::nullopt, othersName, 0};
    for (qsizetype i = largestTypes; i < totals.size(); ++i)
        others.amount += totals[i].amount;
    result << others;
    return result;
}

QList<TypeTotal> typeTotals(const QSqlDatabase& db, const QString& statement, const QDate& from,
                            const QDate& to)
{
    QSqlQuery q = Sql::execPositional(db, statement, {from.toString(Qt::ISODate), to.toString(Qt::ISODate)});
    QList<TypeTotal> totals;
    while (q.next()) {
        TypeTotal t;
        if (!q.value(0).isNull())
            t.code = q.value(0).toInt();
        t.name = q.value(1).toString();
        t.amount = q.value(2).toDouble();
        totals << t;
    }
    return largestFirst(totals);
}

} // namespace

QString monthText(const QDate& month)
{
    return month.toString(QStringLiteral("MM.yyyy"));
}

QList<MonthFlow> monthlyFlows(const QSqlDatabase& db, const QDate& from, const QDate& to)
{
    const QHash<QString, double> incomes = sumsByMonth(db, incomeRows, from, to);
    const QHash<QString, double> payments = sumsByMonth(db, paymentRows, from, to);
    QSqlQuery opening = Sql::exec(
        db, QStringLiteral("SELECT coalesce(Sold_init_casa, 0) + coalesce(Sold_init_banca, 0) FROM Contor"));
    double balance = opening.next() ? opening.value(0).toDouble() : 0;
    balance += scalarSum(db, incomeRows, from) - scalarSum(db, paymentRows, from);
    QList<MonthFlow> flows;
    for (const QDate& month : monthsOf(from, to)) {
        const QString key = month.toString(QStringLiteral("yyyy-MM"));
        MonthFlow f{month, incomes.value(key), payments.value(key), 0};
        balance += f.incomes - f.payments;
        f.balance = balance;
        flows << f;
    }
    return flows;
}

QList<TypeTotal> incomeTypes(const QSqlDatabase& db, const QDate& from, const QDate& to)
{
    return typeTotals(
        db,
        QStringLiteral("SELECT d.Cod_venit, coalesce(max(t.Denumire), max(d.Den_venit)), sum(d.Valoarea) "
                       "FROM Venituri d LEFT JOIN Tip_venituri t ON t.Cod_venit = d.Cod_venit "
                       "WHERE d.Data >= ? AND d.Data <= ? GROUP BY d.Cod_venit"),
        from, to);
}

QList<TypeTotal> expenseTypes(const QSqlDatabase& db, const QDate& from, const QDate& to)
{
    return typeTotals(
        db,
        QStringLiteral(
            "SELECT e.code, coalesce(max(t.Denumire), max(e.name)), sum(e.amount) FROM ("
            "SELECT Cod_cheltuiala AS code, Den_cheltuiala AS name, Valoarea AS amount, Data FROM Cheltuieli "
            "UNION ALL SELECT i.Cod_cheltuiala, i.Den_cheltuiala, i.Valoarea, c.Data "
            "FROM CheltSal c JOIN ItemsSal i ON i.Id_CheltSal = c.Id) e "
            "LEFT JOIN Tip_cheltuieli t ON t.Cod_cheltuiala = e.code "
            "WHERE e.Data >= ? AND e.Data <= ? GROUP BY e.code"),
        from, to);
}

QList<MonthContribution> contributionByMonth(const QSqlDatabase& db, const QDate& from, const QDate& to)
{
    const Contributions::ContributionParameters parameters = Contributions::ContributionParameters::read(db);
    double yearlyDue = 0;
    QSqlQuery families = Sql::exec(db, QStringLiteral("SELECT Restanta, Tip_contributie FROM Enoriasi"));
    while (families.next()) {
        const std::optional<double> carried =
            families.value(0).isNull() ? std::nullopt : std::optional<double>(families.value(0).toDouble());
        yearlyDue += Contributions::dueAmount(carried, families.value(1).toString(), parameters.wholeValue);
    }
    QSqlQuery q = Sql::execPositional(
        db,
        QStringLiteral(
            "SELECT substr(CAST(Data AS TEXT), 1, 7), sum(Valoarea) FROM Venituri WHERE Cod_venit = ? "
            "AND Data >= ? AND Data <= ? GROUP BY 1"),
        {parameters.incomeCode, from.toString(Qt::ISODate), to.toString(Qt::ISODate)});
    QHash<QString, double> collected;
    while (q.next())
        collected.insert(q.value(0).toString(), q.value(1).toDouble());
    QList<MonthContribution> months;
    for (const QDate& month : monthsOf(from, to))
        months << MonthContribution{month, yearlyDue / 12,
                                    collected.value(month.toString(QStringLiteral("yyyy-MM")))};
    return months;
}

} // namespace ChartData
