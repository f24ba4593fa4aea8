#include "ParishRecords.h"

#include "db/Sql.h"

namespace ParishRecords
{

void addParishioner(const QSqlDatabase& db, const QString& code, const QString& name, const QString& street,
                    const QString& number)
{
    Sql::exec(db,
              QStringLiteral("INSERT INTO Enoriasi (Cod_enorias, Nume_prenume, Strada, Nr, Tip_contributie) "
                             "VALUES (:c, :n, :s, :nr, 'Intreaga')"),
              {{":c", code}, {":n", name}, {":s", street}, {":nr", number}});
}

void addMember(const QSqlDatabase& db, const QString& code, const QString& name, const QDate& birth)
{
    Sql::exec(
        db,
        QStringLiteral("INSERT INTO MembriiFam (Cod_enorias, Numele, Data_nasterii, Starea_civila, Religia) "
                       "VALUES (:c, :n, :b, 'Casatorit/a', 'Ortodoxa')"),
        {{":c", code}, {":n", name}, {":b", birth}});
}

void addBaptism(const QSqlDatabase& db, const QString& code, double number, const QDate& date,
                const QString& child)
{
    Sql::exec(
        db,
        QStringLiteral("INSERT INTO Botezuri (Cod_enorias, Numar, Data, Data_nasterii, Nume_prunc, Legitim, "
                       "Nume_preot) VALUES (:c, :nr, :d, :d, :p, 'X', 'Pr. Vasile')"),
        {{":c", code}, {":nr", number}, {":d", date}, {":p", child}});
}

void addMarriage(const QSqlDatabase& db, const QString& code, double number, const QDate& date,
                 const QString& groom)
{
    Sql::exec(db,
              QStringLiteral("INSERT INTO Cununii (Cod_enorias, Numar, Data, Nume_mire, Varsta_mire, "
                             "Nume_mireasa, Varsta_mireasa) VALUES (:c, :nr, :d, :g, 27, 'Ana', 24.5)"),
              {{":c", code}, {":nr", number}, {":d", date}, {":g", groom}});
}

void setParish(const QSqlDatabase& db, const QString& parish, const QString& town)
{
    Sql::exec(db, QStringLiteral("UPDATE Parohia SET Parohia = :p, Localitatea = :l"),
              {{":p", parish}, {":l", town}});
}

} // namespace ParishRecords
