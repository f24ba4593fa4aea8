#include "CandleShop.h"
#include "WorkTableText.h"

#include "db/Sql.h"

namespace
{

QVariant orNull(const QString& date)
{
    return date.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(date);
}

QVariant orNull(std::optional<double> number)
{
    return number ? QVariant(*number) : QVariant(QMetaType(QMetaType::Double));
}

} // namespace

namespace CandleShop
{

void setYear(const QSqlDatabase& db, int year, std::optional<double> candles, std::optional<double> value)
{
    Sql::exec(db, QStringLiteral("UPDATE Parohia SET An_lucru = :y"), {{QStringLiteral(":y"), year}});
    Sql::exec(db, QStringLiteral("UPDATE Contor SET Count_venit = :q, Count_chelt = :v"),
              {{QStringLiteral(":q"), orNull(candles)}, {QStringLiteral(":v"), orNull(value)}});
}

void purchase(const QSqlDatabase& db, double number, const QString& date, std::optional<double> candles,
              double value, int expenseType)
{
    Sql::exec(
        db,
        QStringLiteral("INSERT INTO Cheltuieli (Nr_act, Data, Cod_cheltuiala, Explicatie, Valoarea, Cont, "
                       "Fel, Cant_lumanari) VALUES (:n, :d, :t, 'Lumanari', :v, 'Casa', 'FACT', :q)"),
        {{QStringLiteral(":n"), number},
         {QStringLiteral(":d"), orNull(date)},
         {QStringLiteral(":t"), expenseType},
         {QStringLiteral(":v"), value},
         {QStringLiteral(":q"), orNull(candles)}});
}

void sale(const QSqlDatabase& db, double number, const QString& date, std::optional<double> candles,
          double value, int incomeType)
{
    Sql::exec(
        db,
        QStringLiteral("INSERT INTO Venituri (Nr_act, Data, Cod_venit, Explicatie, Valoarea, Cont, Fel, "
                       "Cant_lumanari) VALUES (:n, :d, :t, 'Lumanari', :v, 'Casa', 'CHIT', :q)"),
        {{QStringLiteral(":n"), number},
         {QStringLiteral(":d"), orNull(date)},
         {QStringLiteral(":t"), incomeType},
         {QStringLiteral(":v"), value},
         {QStringLiteral(":q"), orNull(candles)}});
}

QStringList rows(const QSqlDatabase& db)
{
    QSqlQuery q = Sql::exec(db, QStringLiteral("SELECT Data, Fel, Nr_doc, CantitateIn, CantitateOut, Stoc, "
                                               "ValoareIn, ValoareOut, Sold FROM Pangar ORDER BY Data, Id"));
    QStringList rows;
    while (q.next()) {
        const QString date = q.value(0).isNull() ? QStringLiteral("-") : q.value(0).toString();
        rows << QStringList{date, q.value(1).toString(), WorkTableText::number(q, 2),
                            WorkTableText::numbers(q, 3, 5), WorkTableText::numbers(q, 6, 8)}
                    .join(QLatin1Char('|'));
    }
    return rows;
}

} // namespace CandleShop
