#include "support/Documents.h"

#include "db/Sql.h"

namespace
{

QVariant dateValue(const QString& date)
{
    return date.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(date);
}

} // namespace

namespace Documents
{

void setYear(const QSqlDatabase& db, int year, std::optional<double> cash, std::optional<double> bank)
{
    const auto orNull = [](std::optional<double> v) {
        return v ? QVariant(*v) : QVariant(QMetaType(QMetaType::Double));
    };
    Sql::exec(db, QStringLiteral("UPDATE Parohia SET An_lucru = :y"), {{QStringLiteral(":y"), year}});
    Sql::exec(db, QStringLiteral("UPDATE Contor SET Sold_init_casa = :c, Sold_init_banca = :b"),
              {{QStringLiteral(":c"), orNull(cash)}, {QStringLiteral(":b"), orNull(bank)}});
}

void receipt(const QSqlDatabase& db, double number, const QString& date, double amount,
             const QString& account, const QString& explanation, int incomeType)
{
    Sql::exec(
        db,
        QStringLiteral("INSERT INTO Venituri (Nr_act, Data, Cod_venit, Explicatie, Valoarea, Cont, Fel) "
                       "VALUES (:n, :d, :t, :e, :v, :c, 'CHIT')"),
        {{QStringLiteral(":n"), number},
         {QStringLiteral(":d"), dateValue(date)},
         {QStringLiteral(":t"), incomeType},
         {QStringLiteral(":e"), explanation},
         {QStringLiteral(":v"), amount},
         {QStringLiteral(":c"), account}});
}

void payment(const QSqlDatabase& db, double number, const QString& date, double amount,
             const QString& account, const QString& explanation, int expenseType)
{
    Sql::exec(
        db,
        QStringLiteral("INSERT INTO Cheltuieli (Nr_act, Data, Cod_cheltuiala, Explicatie, Valoarea, Cont, "
                       "Fel) VALUES (:n, :d, :t, :e, :v, :c, 'OP')"),
        {{QStringLiteral(":n"), number},
         {QStringLiteral(":d"), dateValue(date)},
         {QStringLiteral(":t"), expenseType},
         {QStringLiteral(":e"), explanation},
         {QStringLiteral(":v"), amount},
         {QStringLiteral(":c"), account}});
}

namespace
{
void transfer(const QSqlDatabase& db, const QString& table, const QString& kind, double number,
              const QString& date, double amount)
{
    Sql::exec(db,
              QStringLiteral("INSERT INTO %1 (Nr_doc, Data, Suma, Fel) VALUES (:n, :d, :s, :f)").arg(table),
              {{QStringLiteral(":n"), number},
               {QStringLiteral(":d"), dateValue(date)},
               {QStringLiteral(":s"), amount},
               {QStringLiteral(":f"), kind}});
}
} // namespace

void deposit(const QSqlDatabase& db, double number, const QString& date, double amount)
{
    transfer(db, QStringLiteral("Depuneri"), QStringLiteral("FD"), number, date, amount);
}

void withdrawal(const QSqlDatabase& db, double number, const QString& date, double amount)
{
    transfer(db, QStringLiteral("Ridicari"), QStringLiteral("CEC"), number, date, amount);
}

void salaryOrder(const QSqlDatabase& db, double number, const QString& date, const QString& account,
                 const QList<std::pair<int, double>>& lines, const QString& explanation)
{
    QSqlQuery insert = Sql::exec(
        db, QStringLiteral("INSERT INTO CheltSal (Data, Nr_act, Cont, Explicatie) VALUES (:d, :n, :c, :e)"),
        {{QStringLiteral(":d"), dateValue(date)},
         {QStringLiteral(":n"), number},
         {QStringLiteral(":c"), account},
         {QStringLiteral(":e"), explanation}});
    const QVariant id = insert.lastInsertId();
    for (const auto& [type, amount] : lines)
        Sql::exec(db,
                  QStringLiteral("INSERT INTO ItemsSal (Id_CheltSal, Cod_cheltuiala, Valoarea, Explicatie) "
                                 "VALUES (:id, :t, :v, :e)"),
                  {{QStringLiteral(":id"), id},
                   {QStringLiteral(":t"), type},
                   {QStringLiteral(":v"), amount},
                   {QStringLiteral(":e"), explanation}});
}

void dropSearchIndex(const QSqlDatabase& db)
{
    QStringList triggers;
    for (QSqlQuery q = Sql::exec(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'trigger'"));
         q.next();)
        triggers << q.value(0).toString();
    for (const QString& t : triggers)
        Sql::exec(db, QStringLiteral("DROP TRIGGER %1").arg(t));
    Sql::exec(db, QStringLiteral("DROP TABLE Cautare"));
}

} // namespace Documents
