#pragma once

#include "db/Connection.h"
#include "db/Sql.h"
#include "support/TestFolder.h"

#include <QDate>
#include <QSqlDatabase>
#include <QVariant>
#include <gtest/gtest.h>

// A working year with its parishioners and incomes, for the contribution
// tests: the whole contribution is 100 lei and contributions are received
// under income code 2, as the delivered parameters have it.
class ParishBooks : public ::testing::Test
{
protected:
    static constexpr int contributionCode = 2;
    static constexpr int otherIncomeCode = 3;

    void SetUp() override
    {
        db = folder.openWorkingYear();
        setWholeValue(100);
    }

    void setWholeValue(double value)
    {
        Sql::exec(db, QStringLiteral("UPDATE Parohia SET Val_contributie = :v"),
                  {{QStringLiteral(":v"), value}});
    }

    void addParishioner(const QString& code, const QString& name, const QString& type,
                        const QVariant& carried = QVariant(),
                        const QVariant& street = QStringLiteral("Lunga"),
                        const QVariant& number = QStringLiteral("1"))
    {
        Sql::exec(
            db,
            QStringLiteral("INSERT INTO Enoriasi (Cod_enorias, Nume_prenume, Strada, Nr, Tip_contributie, "
                           "Restanta) VALUES (:c, :n, :s, :nr, :t, :r)"),
            {{QStringLiteral(":c"), code},
             {QStringLiteral(":n"), name},
             {QStringLiteral(":s"), street},
             {QStringLiteral(":nr"), number},
             {QStringLiteral(":t"), type},
             {QStringLiteral(":r"), carried}});
    }

    // An income row as the incomes window stores it; a null code is an income without a parishioner.
    void addIncome(const QVariant& parishionerCode, double value, const QDate& date,
                   int incomeCode = contributionCode)
    {
        Sql::exec(db,
                  QStringLiteral("INSERT INTO Venituri (Nr_act, Data, Cod_venit, Cod_enorias, Valoarea, Fel) "
                                 "VALUES (:nr, :d, :cv, :c, :v, 'CHIT')"),
                  {{QStringLiteral(":nr"), ++receiptNumber},
                   {QStringLiteral(":d"), date.toString(Qt::ISODate)},
                   {QStringLiteral(":cv"), incomeCode},
                   {QStringLiteral(":c"), parishionerCode},
                   {QStringLiteral(":v"), value}});
    }

    // The stored arrears of the (only) parishioner with this code.
    QVariant storedArrears(const QString& code)
    {
        return Sql::scalar(db, QStringLiteral("SELECT Restanta FROM Enoriasi WHERE Cod_enorias = :c"),
                           {{QStringLiteral(":c"), code}});
    }

    TestFolder folder;
    QSqlDatabase db;
    int receiptNumber = 0;
};
