#include "registers/CalculRegUnt.h"

#include "db/Sql.h"
#include "registers/RegisterStatements.h"
#include "registers/RunningPass.h"
#include "registers/WorkTableComputation.h"

namespace
{

const QString registerTable = QStringLiteral("Registru");
const QString registerWord = QStringLiteral("registru");

// The running balances in date order (within a day, in the order the rows
// were inserted). Each row's balances are worked out in extended precision
// and stored as doubles; the next row starts from the stored values.
const RunningPass& balances()
{
    static const RunningPass pass{
        .read = RegisterStatements::balanceRead(),
        .write = RegisterStatements::balanceWrite(),
        .table = registerTable,
        .runningCount = 3,
        .caption = calculRegistruCaption,
        .advance =
            [](std::span<const double> m, std::span<double> running) {
                using Extended = long double;
                const double incasariC = m[0], ridicariC = m[1], platiC = m[2], depuneriC = m[3];
                const double incasariB = m[4], depuneriB = m[5], platiB = m[6], ridicariB = m[7];
                double& soldC = running[0];
                double& soldB = running[1];
                double& soldT = running[2];
                soldC = double(((Extended(incasariC) + soldC) + ridicariC) - platiC - depuneriC);
                soldB = double(((Extended(incasariB) + soldB) + depuneriB) - platiB - ridicariB);
                soldT = double(Extended(soldB) + soldC);
            },
    };
    return pass;
}

} // namespace

void CalculRegistru(const QSqlDatabase& db, Progress& progress)
{
    WorkTableComputation::run(db, registerTable, registerWord, [&] {
        WorkTableComputation::execWithOpeningDate(db, RegisterStatements::fullRegister());
        balances().run(db, progress);
        Sql::exec(db, RegisterStatements::undatedRows());
    });
}

void CalculRegistruPartizi(const QSqlDatabase& db, int expenseCode)
{
    WorkTableComputation::run(db, registerTable, registerWord, [&] {
        for (const QString& statement : RegisterStatements::expenseType())
            Sql::exec(db, statement, {{QStringLiteral(":Cod"), expenseCode}});
        Sql::exec(db, RegisterStatements::undatedRows());
    });
}
