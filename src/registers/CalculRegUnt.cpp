#include "registers/CalculRegUnt.h"

#include "core/DbErrorText.h"
#include "core/UserError.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "db/SqliteHandle.h"
#include "db/SqliteStatement.h"
#include "db/Transaction.h"
#include "db/WorkTable.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <sqlite3.h>
#include <vector>

namespace
{

const QString registru = QStringLiteral("Registru");

// The opening rows: 1 January of the working year, whenever the balance is
// not empty (a balance of 0 included).
const QString openingCash =
    QStringLiteral("INSERT INTO Registru (Data, Nr_doc, Fel, Explicatii, IncasariC) "
                   "SELECT :Data, 0, 'CHIT', 'Sold in casa la inceputul anului', Sold_init_casa "
                   "FROM Contor WHERE Sold_init_casa IS NOT NULL");
const QString openingBank =
    QStringLiteral("INSERT INTO Registru (Data, Nr_doc, Fel, Explicatii, IncasariB) "
                   "SELECT :Data, 0, 'EXT', 'Sold in cont la inceputul anului', Sold_init_banca "
                   "FROM Contor WHERE Sold_init_banca IS NOT NULL");

// The lines of one receipt (number, date, kind, explanation) make one row.
QString receipts(const QString& column, const QString& account)
{
    return QStringLiteral("INSERT INTO Registru (Data, Nr_doc, Fel, Explicatii, %1) "
                          "SELECT Data, Nr_act, Fel, Explicatie, SUM(Valoarea) FROM Venituri "
                          "WHERE Cont = '%2' GROUP BY Nr_act, Data, Fel, Explicatie "
                          "ORDER BY Data, MIN(rowid)")
        .arg(column, account);
}

// Every withdrawal and deposit counts, also two alike.
const QString withdrawals =
    QStringLiteral("INSERT INTO Registru (Data, Nr_doc, Fel, Explicatii, RidicariC, RidicariB) "
                   "SELECT Data, Nr_doc, Fel, 'Retragere numerar', Suma, Suma FROM Ridicari "
                   "ORDER BY Data, rowid");
const QString deposits =
    QStringLiteral("INSERT INTO Registru (Data, Nr_doc, Fel, Explicatii, DepuneriC, DepuneriB) "
                   "SELECT Data, Nr_doc, Fel, 'Depunere numerar', Suma, Suma FROM Depuneri "
                   "ORDER BY Data, rowid");

// Every payment line counts, also two alike.
QString payments(const QString& column, const QString& account)
{
    return QStringLiteral("INSERT INTO Registru (Data, Nr_doc, Fel, Explicatii, %1) "
                          "SELECT Data, Nr_act, Fel, Explicatie, Valoarea FROM Cheltuieli "
                          "WHERE Cont = '%2' ORDER BY Data, rowid")
        .arg(column, account);
}

// One row per salary payment order, also when two share date, number and explanation.
QString salaryOrders(const QString& column, const QString& account)
{
    return QStringLiteral("INSERT INTO Registru (Data, Nr_doc, Fel, Explicatii, %1) "
                          "SELECT D.Data, D.Nr_act, 'OP', D.Explicatie, SUM(D1.Valoarea) "
                          "FROM CheltSal D JOIN ItemsSal D1 ON D1.Id_CheltSal = D.Id "
                          "WHERE D.Cont = '%2' GROUP BY D.Id ORDER BY D.Data, D.Id")
        .arg(column, account);
}

const QString nullsToZero = QStringLiteral(
    "UPDATE Registru SET IncasariC = ifnull(IncasariC, 0.0), PlatiC = ifnull(PlatiC, 0.0), "
    "RidicariC = ifnull(RidicariC, 0.0), DepuneriC = ifnull(DepuneriC, 0.0), SoldC = ifnull(SoldC, 0.0), "
    "IncasariB = ifnull(IncasariB, 0.0), PlatiB = ifnull(PlatiB, 0.0), RidicariB = ifnull(RidicariB, 0.0), "
    "DepuneriB = ifnull(DepuneriB, 0.0), SoldB = ifnull(SoldB, 0.0), SoldT = ifnull(SoldT, 0.0)");

const QString undatedRows = QStringLiteral("DELETE FROM Registru WHERE Data IS NULL");

const QString expensePayments =
    QStringLiteral("INSERT INTO Registru (Data, Nr_doc, Fel, Explicatii, PlatiC) "
                   "SELECT Data, Nr_act, Fel, Explicatie, Valoarea FROM Cheltuieli "
                   "WHERE Cod_cheltuiala = :Cod ORDER BY Data, rowid");
const QString expenseSalaryOrders =
    QStringLiteral("INSERT INTO Registru (Data, Nr_doc, Fel, Explicatii, PlatiC) "
                   "SELECT D.Data, D.Nr_act, 'OP', D.Explicatie, SUM(D1.Valoarea) "
                   "FROM CheltSal D JOIN ItemsSal D1 ON D1.Id_CheltSal = D.Id "
                   "WHERE D1.Cod_cheltuiala = :Cod GROUP BY D.Id ORDER BY D.Data, D.Id");

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

int workingYear(const QSqlDatabase& db)
{
    const QVariant year = Sql::scalar(db, QStringLiteral("SELECT An_lucru FROM Parohia LIMIT 1"));
    if (year.isNull() || year.toInt() <= 0)
        throw DbError(QStringLiteral("Anul de lucru nu este completat in datele parohiei"));
    return year.toInt();
}

// One row's movements, as read before the balance pass writes.
struct Movements {
    qint64 id;
    double incasariC, ridicariC, platiC, depuneriC;
    double incasariB, depuneriB, platiB, ridicariB;
};

std::vector<Movements> readMovements(sqlite3* handle)
{
    SqliteStatement read(handle,
                         QStringLiteral("SELECT Id, IncasariC, RidicariC, PlatiC, DepuneriC, IncasariB, "
                                        "DepuneriB, PlatiB, RidicariB FROM Registru ORDER BY Data, Id"));
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
    SqliteStatement write(
        handle, QStringLiteral("UPDATE Registru SET SoldC = ?, SoldB = ?, SoldT = ? WHERE Id = ?"), registru);
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
        const QString firstOfYear = QDate(workingYear(db), 1, 1).toString(Qt::ISODate);
        Sql::exec(db, openingCash, {{QStringLiteral(":Data"), firstOfYear}});
        Sql::exec(db, openingBank, {{QStringLiteral(":Data"), firstOfYear}});
        const QString casa = QStringLiteral("Casa");
        const QString banca = QStringLiteral("Banca");
        for (const QString& statement :
             {receipts(QStringLiteral("IncasariC"), casa), receipts(QStringLiteral("IncasariB"), banca),
              withdrawals, deposits, payments(QStringLiteral("PlatiC"), casa),
              payments(QStringLiteral("PlatiB"), banca), salaryOrders(QStringLiteral("PlatiC"), casa),
              salaryOrders(QStringLiteral("PlatiB"), banca), nullsToZero})
            Sql::exec(db, statement);
        fillBalances(db, progress);
        Sql::exec(db, undatedRows);
    });
}

void CalculRegistruPartizi(const QSqlDatabase& db, int expenseCode)
{
    inTransaction(db, [&] {
        Sql::exec(db, expensePayments, {{QStringLiteral(":Cod"), expenseCode}});
        Sql::exec(db, expenseSalaryOrders, {{QStringLiteral(":Cod"), expenseCode}});
        Sql::exec(db, undatedRows);
    });
}
