#include "registers/CalculPangarUnt.h"

#include "db/SqliteHandle.h"
#include "db/SqliteStatement.h"
#include "registers/WorkTableComputation.h"

#include <QStringList>
#include <sqlite3.h>
#include <vector>

namespace
{

const QString pangar = QStringLiteral("Pangar");

// The rows of the work table before its running pass, in the order they are
// inserted: the opening row (":Data" is 1 January of the working year), the
// purchases, the sales; then the empty quantities and values set to zero.
const QStringList& fillStatements()
{
    static const QStringList statements{
        QStringLiteral("INSERT INTO Pangar (Data, Fel, CantitateIn, ValoareIn) "
                       "SELECT :Data, 'Report', Count_venit, Count_chelt FROM Contor"),
        // Every line counts, also two alike in date, number, quantity and value.
        QStringLiteral("INSERT INTO Pangar (Data, Nr_doc, Fel, CantitateIn, ValoareIn) "
                       "SELECT Data, Nr_act, Fel, Cant_lumanari, Valoarea FROM Cheltuieli "
                       "WHERE Cod_cheltuiala = (SELECT CodChLum FROM Contor) ORDER BY Data, rowid"),
        QStringLiteral("INSERT INTO Pangar (Data, Nr_doc, Fel, CantitateOut, ValoareOut) "
                       "SELECT Data, Nr_act, Fel, Cant_lumanari, Valoarea FROM Venituri "
                       "WHERE Cod_venit = (SELECT CodVenLum FROM Contor) ORDER BY Data, rowid"),
        QStringLiteral("UPDATE Pangar SET CantitateIn = ifnull(CantitateIn, 0.0), "
                       "CantitateOut = ifnull(CantitateOut, 0.0), Stoc = ifnull(Stoc, 0.0), "
                       "ValoareIn = ifnull(ValoareIn, 0.0), ValoareOut = ifnull(ValoareOut, 0.0), "
                       "Sold = ifnull(Sold, 0.0)"),
    };
    return statements;
}

// One row's movements, as read before the running pass writes.
struct Movements {
    qint64 id;
    double quantityIn, quantityOut, valueIn, valueOut;
};

std::vector<Movements> readMovements(sqlite3* handle)
{
    // By date, then as inserted: the order of the report.
    SqliteStatement read(handle, QStringLiteral("SELECT Id, CantitateIn, CantitateOut, ValoareIn, ValoareOut "
                                                "FROM Pangar ORDER BY Data, Id"));
    std::vector<Movements> rows;
    sqlite3_stmt* s = read.raw();
    while (read.step())
        rows.push_back({sqlite3_column_int64(s, 0), sqlite3_column_double(s, 1), sqlite3_column_double(s, 2),
                        sqlite3_column_double(s, 3), sqlite3_column_double(s, 4)});
    return rows;
}

// The stock and its value after each row. Each is worked out in extended
// precision and stored as a double; the next row starts from the stored values.
void fillRunningStock(const QSqlDatabase& db, Progress& progress)
{
    sqlite3* handle = sqliteHandle(db);
    const std::vector<Movements> rows = readMovements(handle);
    ProgressScope scope(progress, calculPangarCaption, int(rows.size()));
    SqliteStatement write(handle, QStringLiteral("UPDATE Pangar SET Stoc = ?, Sold = ? WHERE Id = ?"),
                          pangar);
    sqlite3_stmt* s = write.raw();
    double stock = 0;
    double value = 0;
    int done = 0;
    for (const Movements& row : rows) {
        using Extended = long double;
        const double stoc = double((Extended(row.quantityIn) + stock) - row.quantityOut);
        const double sold = double((Extended(row.valueIn) + value) - row.valueOut);
        write.reset();
        sqlite3_bind_double(s, 1, stoc);
        sqlite3_bind_double(s, 2, sold);
        sqlite3_bind_int64(s, 3, row.id);
        write.step();
        stock = stoc;
        value = sold;
        scope.step(++done);
    }
}

} // namespace

void CalculPangar(const QSqlDatabase& db, Progress& progress)
{
    WorkTableComputation::run(db, pangar, pangar, [&] {
        WorkTableComputation::execWithOpeningDate(db, fillStatements());
        fillRunningStock(db, progress);
    });
}
