#include "operations/RecomputeBalances.h"

#include "db/Sql.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <cmath>

namespace
{

// Every sum in one statement, each table read once: the two accounts of a
// table are summed in the same pass. Columns in the order of BalanceSums.
const char* const sumsStatement = R"(
SELECT c.Casa, c.Banca, v.Casa, v.Banca, d.Suma, r.Suma, p.Casa, p.Banca, s.Casa, s.Banca
FROM
  (SELECT SUM(Sold_init_casa) AS Casa, SUM(Sold_init_banca) AS Banca FROM Contor) c,
  (SELECT SUM(CASE WHEN Cont = 'Casa' THEN Valoarea END) AS Casa,
          SUM(CASE WHEN Cont = 'Banca' THEN Valoarea END) AS Banca FROM Venituri) v,
  (SELECT SUM(Suma) AS Suma FROM Depuneri) d,
  (SELECT SUM(Suma) AS Suma FROM Ridicari) r,
  (SELECT SUM(CASE WHEN Cont = 'Casa' THEN Valoarea END) AS Casa,
          SUM(CASE WHEN Cont = 'Banca' THEN Valoarea END) AS Banca FROM Cheltuieli) p,
  (SELECT SUM(CASE WHEN D1.Cont = 'Casa' THEN D.Valoarea END) AS Casa,
          SUM(CASE WHEN D1.Cont = 'Banca' THEN D.Valoarea END) AS Banca
   FROM ItemsSal D, CheltSal D1 WHERE D1.Id = D.Id_CheltSal) s
)";

} // namespace

BalanceSums readBalanceSums(const QSqlDatabase& db)
{
    QSqlQuery query = Sql::exec(db, QString::fromLatin1(sumsStatement));
    BalanceSums sums;
    if (!query.next())
        return sums;
    double* const targets[] = {&sums.openingCash, &sums.openingBank, &sums.incomesCash,  &sums.incomesBank,
                               &sums.deposits,    &sums.withdrawals, &sums.paymentsCash, &sums.paymentsBank,
                               &sums.salaryCash,  &sums.salaryBank};
    int column = 0;
    for (double* target : targets) {
        const QVariant value = query.value(column++);
        *target = value.isNull() ? 0.0 : value.toDouble();
    }
    return sums;
}

double cashBalance(const BalanceSums& s)
{
    return s.openingCash + s.incomesCash - s.deposits + s.withdrawals - s.paymentsCash - s.salaryCash;
}

double bankBalance(const BalanceSums& s)
{
    return s.openingBank + s.incomesBank + s.deposits - s.withdrawals - s.paymentsBank - s.salaryBank;
}

CurrentBalances RecomputeBalances(const QSqlDatabase& db)
{
    const BalanceSums sums = readBalanceSums(db);
    return {cashBalance(sums), bankBalance(sums)};
}

double roundedBalance(double balance)
{
    // A tiny negative remainder of the floating-point sums must not read "-0,00".
    const double cents = std::round(balance * 100.0);
    return cents == 0.0 ? 0.0 : cents / 100.0;
}

QString balanceText(double balance, const QLocale& locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
    return plain.toString(roundedBalance(balance), 'f', 2);
}

double balanceFromText(const QString& text, const QLocale& locale)
{
    bool ok = false;
    const double value = locale.toDouble(text.trimmed(), &ok);
    return ok ? value : 0.0;
}
