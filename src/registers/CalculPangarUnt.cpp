#include "registers/CalculPangarUnt.h"

#include "registers/RunningPass.h"
#include "registers/WorkTableComputation.h"

#include <QStringList>

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
        QStringLiteral("UPDATE Pangar SET CantitateIn = coalesce(CantitateIn, 0.0), "
                       "CantitateOut = coalesce(CantitateOut, 0.0), Stoc = coalesce(Stoc, 0.0), "
                       "ValoareIn = coalesce(ValoareIn, 0.0), ValoareOut = coalesce(ValoareOut, 0.0), "
                       "Sold = coalesce(Sold, 0.0)"),
    };
    return statements;
}

// The stock and its value after each row, in the order of the report (by
// date, then as inserted). Each is worked out in extended precision and
// stored as a double; the next row starts from the stored values.
const RunningPass& runningStock()
{
    static const RunningPass pass{
        .read = QStringLiteral("SELECT Id, CantitateIn, CantitateOut, ValoareIn, ValoareOut "
                               "FROM Pangar ORDER BY Data, Id"),
        .write = QStringLiteral("UPDATE Pangar SET Stoc = ?, Sold = ? WHERE Id = ?"),
        .table = pangar,
        .runningCount = 2,
        .caption = calculPangarCaption,
        .advance =
            [](std::span<const double> movements, std::span<double> running) {
                using Extended = long double;
                const double quantityIn = movements[0], quantityOut = movements[1];
                const double valueIn = movements[2], valueOut = movements[3];
                double& stock = running[0];
                double& value = running[1];
                stock = double((Extended(quantityIn) + stock) - quantityOut);
                value = double((Extended(valueIn) + value) - valueOut);
            },
    };
    return pass;
}

} // namespace

void CalculPangar(const QSqlDatabase& db, Progress& progress)
{
    WorkTableComputation::run(db, pangar, pangar, [&] {
        WorkTableComputation::execWithOpeningDate(db, fillStatements());
        runningStock().run(db, progress);
    });
}
