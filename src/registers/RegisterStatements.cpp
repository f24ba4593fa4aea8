#include "registers/RegisterStatements.h"

namespace
{

// The lines of one receipt (number, date, kind, explanation) make one row.
QString receipts(const QString& column, const QString& account)
{
    return QStringLiteral("INSERT INTO Registru (Data, Nr_doc, Fel, Explicatii, %1) "
                          "SELECT Data, Nr_act, Fel, Explicatie, SUM(Valoarea) FROM Venituri "
                          "WHERE Cont = '%2' GROUP BY Nr_act, Data, Fel, Explicatie "
                          "ORDER BY Data, MIN(rowid)")
        .arg(column, account);
}

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

} // namespace

namespace RegisterStatements
{

const QStringList& fullRegister()
{
    static const QString casa = QStringLiteral("Casa");
    static const QString banca = QStringLiteral("Banca");
    static const QStringList statements{
        // Opening rows whenever the balance is not empty, a balance of 0 included.
        QStringLiteral("INSERT INTO Registru (Data, Nr_doc, Fel, Explicatii, IncasariC) "
                       "SELECT :Data, 0, 'CHIT', 'Sold in casa la inceputul anului', Sold_init_casa "
                       "FROM Contor WHERE Sold_init_casa IS NOT NULL"),
        QStringLiteral("INSERT INTO Registru (Data, Nr_doc, Fel, Explicatii, IncasariB) "
                       "SELECT :Data, 0, 'EXT', 'Sold in cont la inceputul anului', Sold_init_banca "
                       "FROM Contor WHERE Sold_init_banca IS NOT NULL"),
        receipts(QStringLiteral("IncasariC"), casa),
        receipts(QStringLiteral("IncasariB"), banca),
        // Every withdrawal and deposit counts, also two alike.
        QStringLiteral("INSERT INTO Registru (Data, Nr_doc, Fel, Explicatii, RidicariC, RidicariB) "
                       "SELECT Data, Nr_doc, Fel, 'Retragere numerar', Suma, Suma FROM Ridicari "
                       "ORDER BY Data, rowid"),
        QStringLiteral("INSERT INTO Registru (Data, Nr_doc, Fel, Explicatii, DepuneriC, DepuneriB) "
                       "SELECT Data, Nr_doc, Fel, 'Depunere numerar', Suma, Suma FROM Depuneri "
                       "ORDER BY Data, rowid"),
        payments(QStringLiteral("PlatiC"), casa),
        payments(QStringLiteral("PlatiB"), banca),
        salaryOrders(QStringLiteral("PlatiC"), casa),
        salaryOrders(QStringLiteral("PlatiB"), banca),
        QStringLiteral(
            "UPDATE Registru SET IncasariC = coalesce(IncasariC, 0.0), PlatiC = coalesce(PlatiC, 0.0), "
            "RidicariC = coalesce(RidicariC, 0.0), DepuneriC = coalesce(DepuneriC, 0.0), "
            "SoldC = coalesce(SoldC, 0.0), IncasariB = coalesce(IncasariB, 0.0), "
            "PlatiB = coalesce(PlatiB, 0.0), RidicariB = coalesce(RidicariB, 0.0), "
            "DepuneriB = coalesce(DepuneriB, 0.0), SoldB = coalesce(SoldB, 0.0), "
            "SoldT = coalesce(SoldT, 0.0)"),
    };
    return statements;
}

QString balanceRead()
{
    return QStringLiteral("SELECT Id, IncasariC, RidicariC, PlatiC, DepuneriC, IncasariB, DepuneriB, PlatiB, "
                          "RidicariB FROM Registru ORDER BY Data, Id");
}

QString balanceWrite()
{
    return QStringLiteral("UPDATE Registru SET SoldC = ?, SoldB = ?, SoldT = ? WHERE Id = ?");
}

const QStringList& expenseType()
{
    static const QStringList statements{
        QStringLiteral("INSERT INTO Registru (Data, Nr_doc, Fel, Explicatii, PlatiC) "
                       "SELECT Data, Nr_act, Fel, Explicatie, Valoarea FROM Cheltuieli "
                       "WHERE Cod_cheltuiala = :Cod ORDER BY Data, rowid"),
        QStringLiteral("INSERT INTO Registru (Data, Nr_doc, Fel, Explicatii, PlatiC) "
                       "SELECT D.Data, D.Nr_act, 'OP', D.Explicatie, SUM(D1.Valoarea) "
                       "FROM CheltSal D JOIN ItemsSal D1 ON D1.Id_CheltSal = D.Id "
                       "WHERE D1.Cod_cheltuiala = :Cod GROUP BY D.Id ORDER BY D.Data, D.Id"),
    };
    return statements;
}

QString undatedRows()
{
    return QStringLiteral("DELETE FROM Registru WHERE Data IS NULL");
}

} // namespace RegisterStatements
