// The current cash and bank balances, recomputed as the document windows do
// after every store: after a kill they agree with the documents found.

#include "crash/CrashScenario.h"
#include "db/Sql.h"
#include "operations/RecomputeBalances.h"

#include <cmath>

namespace
{

QString performBalances(const QSqlDatabase& db, int, unsigned, const Announce&)
{
    const CurrentBalances balances = RecomputeBalances(db);
    return QStringLiteral("%1 %2").arg(balances.cash, 0, 'f', 2).arg(balances.bank, 0, 'f', 2);
}

double sum(const QSqlDatabase& db, const QString& statement)
{
    return Sql::scalar(db, statement).toDouble();
}

// The balances summed here table by table, apart from the program's computation.
CurrentBalances fromDocuments(const QSqlDatabase& db, const QString& account)
{
    const auto inAccount = [&](const QString& statement) {
        return Sql::scalar(db, statement, {{QStringLiteral(":a"), account}}).toDouble();
    };
    const double moved = sum(db, QStringLiteral("SELECT TOTAL(Suma) FROM Ridicari")) -
                         sum(db, QStringLiteral("SELECT TOTAL(Suma) FROM Depuneri"));
    const double own = inAccount(QStringLiteral("SELECT TOTAL(Valoarea) FROM Venituri WHERE Cont = :a")) -
                       inAccount(QStringLiteral("SELECT TOTAL(Valoarea) FROM Cheltuieli WHERE Cont = :a")) -
                       inAccount(QStringLiteral("SELECT TOTAL(L.Valoarea) FROM ItemsSal L JOIN CheltSal H "
                                                "ON H.Id = L.Id_CheltSal WHERE H.Cont = :a"));
    if (account == QLatin1String("Casa"))
        return {sum(db, QStringLiteral("SELECT TOTAL(Sold_init_casa) FROM Contor")) + own + moved, 0};
    return {0, sum(db, QStringLiteral("SELECT TOTAL(Sold_init_banca) FROM Contor")) + own - moved};
}

void verifyBalances(const QSqlDatabase& db, const CrashLog& operations, CrashFindings& findings)
{
    if (operations.isEmpty())
        return;
    const CurrentBalances program = RecomputeBalances(db);
    const double cash = fromDocuments(db, QStringLiteral("Casa")).cash;
    const double bank = fromDocuments(db, QStringLiteral("Banca")).bank;
    if (std::abs(program.cash - cash) > 0.005 || std::abs(program.bank - bank) > 0.005)
        findings.fault(QStringLiteral("balances %1 / %2, the documents give %3 / %4")
                           .arg(program.cash, 0, 'f', 2)
                           .arg(program.bank, 0, 'f', 2)
                           .arg(cash, 0, 'f', 2)
                           .arg(bank, 0, 'f', 2));
    findings.countVerified(int(operations.size()));
}

const CrashScenarioRegistration balancesRegistration({QStringLiteral("balances"), performBalances, verifyBalances, {}});

} // namespace
