#pragma once

#include "db/Sql.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

// A row of the stock list, stored as the stock window stores it.
struct StockItem {
    QString name;
    QString description;
    double quantity = 1;
    QString unit;
    double price = 1;
    QDate in, out; // invalid: empty

    void store(const QSqlDatabase& db) const
    {
        const auto date = [](const QDate& d) {
            return d.isValid() ? QVariant(d.toString(Qt::ISODate)) : QVariant();
        };
        Sql::exec(
            db,
            QStringLiteral("INSERT INTO Stoc (Denumire, Descriere, Cantitate, UM, Pret, DataIn, DataOut) "
                           "VALUES (:n, :d, :q, :u, :p, :i, :o)"),
            {{QStringLiteral(":n"), name},
             {QStringLiteral(":d"), description.isEmpty() ? QVariant() : QVariant(description)},
             {QStringLiteral(":q"), quantity},
             {QStringLiteral(":u"), unit},
             {QStringLiteral(":p"), price},
             {QStringLiteral(":i"), date(in)},
             {QStringLiteral(":o"), date(out)}});
    }
};

// The parish heading the stock list prints.
inline void setParishForStockList(const QSqlDatabase& db)
{
    Sql::exec(db,
              QStringLiteral("UPDATE Parohia SET Parohia = 'Parohia Sf. Nicolae', Protopopiatul = 'Iasi', "
                             "Localitatea = 'Iasi', Strada = 'Lapusneanu', Nr = '12', Judet = 'Iasi'"));
}
