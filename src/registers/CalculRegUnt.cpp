#include "registers/CalculRegUnt.h"

#include "db/Sql.h"
#include "db/SqliteHandle.h"
#include "db/SqliteStatement.h"
#include "registers/RegisterStatements.h"
#include "registers/WorkTableComputation.h"

#include <sqlite3.h>
#include <vector>

namespace
{

const QString registerTable = QStringLiteral("Registru");
const QString registerWord = QStringLiteral("registru");

// One row's movements, as read before the balance pass writes.
struct Movements {
    qint64 id;
    double incasariC, ridicariC, platiC, depuneriC;
    double incasariB, depuneriB, platiB, ridicariB;
};

std::vector<Movements> readMovements(sqlite3* handle)
{
    SqliteStatement read(handle, RegisterStatements::balanceRead());
    std::vector<Movements> rows;
    sqlite3_stmt* s = read.raw();
    while (read.step())
        rows.push_back({sqlite3_column_int64(s, 0), sqlite3_column_double(s, 1), sqlite3_column_double(s, 2),
                        sqlite3_column_double(s, 3), sqlite3_column_double(s, 4), sqlite3_column_double(s, 5),
                        sqlite3_column_double(s, 6), sqlite3_column_double(s, 7),
                        sqlite3_column_double(s, 8)});
    return rows;
}

// The running balances in date order (within a day, in the order the rows
// were inserted). Each row's balances are worked out in extended precision
// and stored as doubles; the next row starts from the stored values.
void fillBalances(const QSqlDatabase& db, Progress& progress)
{
    sqlite3* handle = sqliteHandle(db);
    const std::vector<Movements> rows = readMovements(handle);
    ProgressScope scope(progress, calculRegistruCaption, int(rows.size()));
    SqliteStatement write(handle, RegisterStatements::balanceWrite(), registerTable);
    sqlite3_stmt* s = write.raw();
    double cash = 0;
    double bank = 0;
    int done = 0;
    for (const Movements& row : rows) {
        using Extended = long double;
        const double soldC =
            double(((Extended(row.incasariC) + cash) + row.ridicariC) - row.platiC - row.depuneriC);
        const double soldB =
            double(((Extended(row.incasariB) + bank) + row.depuneriB) - row.platiB - row.ridicariB);
        const double soldT = double(Extended(soldB) + soldC);
        write.reset();
        sqlite3_bind_double(s, 1, soldC);
        sqlite3_bind_double(s, 2, soldB);
        sqlite3_bind_double(s, 3, soldT);
        sqlite3_bind_int64(s, 4, row.id);
        write.step();
        cash = soldC;
        bank = soldB;
        scope.step(++done);
    }
}

} // namespace

void CalculRegistru(const QSqlDatabase& db, Progress& progress)
{
    WorkTableComputation::run(db, registerTable, registerWord, [&] {
        WorkTableComputation::execWithOpeningDate(db, RegisterStatements::fullRegister());
        fillBalances(db, progress);
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
