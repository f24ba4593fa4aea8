#include "BalanceSheetRows.h"

#include "db/Sql.h"

#include <QRegularExpression>
#include <QSqlQuery>

namespace BalanceSheetRows
{

namespace
{

QString asFigure(const QVariant& value)
{
    return value.isNull() ? QStringLiteral("null")
                          : QString::number(value.toDouble(), 'f', 2).remove(QRegularExpression("\\.?0+$"));
}

QStringList column(const QSqlDatabase& db, const QString& statement,
                   std::initializer_list<Sql::Binding> b = {})
{
    QSqlQuery query = Sql::exec(db, statement, b);
    QStringList out;
    while (query.next())
        out << asFigure(query.value(0));
    return out;
}

} // namespace

void replace(const QSqlDatabase& db, const QList<Row>& rows)
{
    Sql::exec(db, QStringLiteral("DELETE FROM Bilant"));
    for (const Row& r : rows)
        Sql::exec(db,
                  QStringLiteral("INSERT INTO Bilant (Nr_rand, Denumire, Formula, Prevederi, Cont) "
                                 "VALUES (:n, :d, :f, :p, :c)"),
                  {{QStringLiteral(":n"), r.number},
                   {QStringLiteral(":d"), r.name},
                   {QStringLiteral(":f"), r.formula.isEmpty() ? QVariant() : r.formula},
                   {QStringLiteral(":p"), r.forecast ? QVariant(*r.forecast) : QVariant()},
                   {QStringLiteral(":c"), r.account.isEmpty() ? QVariant() : r.account}});
}

QStringList figures(const QSqlDatabase& db, const QString& field)
{
    return column(db, QStringLiteral("SELECT %1 FROM Bilant ORDER BY Nr_rand, rowid").arg(field));
}

QStringList figuresOf(const QSqlDatabase& db, const QString& field, int number)
{
    return column(db, QStringLiteral("SELECT %1 FROM Bilant WHERE Nr_rand = :n ORDER BY rowid").arg(field),
                  {{QStringLiteral(":n"), number}});
}

QString snapshot(const QSqlDatabase& db)
{
    QSqlQuery query = Sql::exec(db, QStringLiteral("SELECT rowid, Nr_rand, Denumire, quote(Prevederi), "
                                                   "quote(Executie), Formula FROM Bilant ORDER BY rowid"));
    QStringList lines;
    while (query.next()) {
        QStringList cells;
        for (int i = 0; i < 6; ++i)
            cells << query.value(i).toString();
        lines << cells.join(QLatin1Char('|'));
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace BalanceSheetRows
