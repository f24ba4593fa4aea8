#include "SearchTestSupport.h"

#include "db/Sql.h"

namespace SearchDocuments
{

void income(const QSqlDatabase& db, double number, const QString& date, double amount,
            const QString& parishioner, const QString& explanation, int type, const QString& typeName,
            const QString& account)
{
    Sql::execPositional(
        db,
        QStringLiteral("INSERT INTO Venituri (Nr_act, Data, Cod_venit, Den_venit, Den_enorias, "
                       "Explicatie, Valoarea, Cont, Fel) VALUES (?, ?, ?, ?, ?, ?, ?, ?, 'CHIT')"),
        {number, date, type, typeName, parishioner, explanation, amount, account});
}

void payment(const QSqlDatabase& db, double number, const QString& date, double amount,
             const QString& beneficiary, const QString& explanation, int type, const QString& typeName,
             const QString& account)
{
    Sql::execPositional(
        db,
        QStringLiteral("INSERT INTO Cheltuieli (Nr_act, Data, Cod_cheltuiala, Den_cheltuiala, "
                       "Beneficiar, Explicatie, Valoarea, Cont, Fel) VALUES (?, ?, ?, ?, ?, ?, ?, ?, 'OP')"),
        {number, date, type, typeName, beneficiary, explanation, amount, account});
}

} // namespace SearchDocuments
