#include "registers/CalculRegUnt.h"

#include "core/DbErrorText.h"
#include "core/UserError.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "db/SqliteHandle.h"
#include "db/SqliteStatement.h"
#include "db/Transaction.h"
#include "db/WorkTable.h"
#include "db/WorkingYear.h"
#include "registers/RegisterStatements.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <sqlite3.h>
#include <vector>

namespace
{

const QString registru = QStringLiteral("Registru");

QString databaseFolder(const QSqlDatabase& db)
{
    return QDir::toNativeSeparators(QFileInfo(db.databaseName()).absolutePath() + QLatin1Char('/'));
}

// Empties the work table; a failure is worded as the file that cannot be made.
void rebuildWorkTable(const QSqlDatabase& db)
{
    try {
        WorkTable::rebuildEmpty(db, registru);
    } catch (const DbError&) {
        throw UserError(QStringLiteral("Nu pot crea fisierul :") + databaseFolder(db) +
                        QStringLiteral("Registru. Inchideti fisierele aferente si repetati operatia!"));
    }
}

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
    SqliteStatement write(handle, RegisterStatements::balanceWrite(), registru);
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

// Runs the computation in one transaction, wording a store failure for the user.
template <typename Work> void inTransaction(const QSqlDatabase& db, Work work)
{
    try {
        Transaction transaction(db);
        rebuildWorkTable(db);
        work();
        transaction.commit();
    } catch (const DbError& e) {
        throw UserError(DbErrorText::forTable(QStringLiteral("registru"), e.text()));
    }
}

} // namespace

void CalculRegistru(const QSqlDatabase& db, Progress& progress)
{
    inTransaction(db, [&] {
        const QString firstOfYear = QDate(workingYearOf(db), 1, 1).toString(Qt::ISODate);
        for (const QString& statement : RegisterStatements::fullRegister()) {
            if (statement.contains(QLatin1String(":Data")))
                Sql::exec(db, statement, {{QStringLiteral(":Data"), firstOfYear}});
            else
                Sql::exec(db, statement);
        }
        fillBalances(db, progress);
        Sql::exec(db, RegisterStatements::undatedRows());
    });
}

void CalculRegistruPartizi(const QSqlDatabase& db, int expenseCode)
{
    inTransaction(db, [&] {
        for (const QString& statement : RegisterStatements::expenseType())
            Sql::exec(db, statement, {{QStringLiteral(":Cod"), expenseCode}});
        Sql::exec(db, RegisterStatements::undatedRows());
    });
}
