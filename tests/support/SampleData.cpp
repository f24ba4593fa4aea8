#include "support/SampleData.h"

#include "db/Sql.h"
#include "db/Transaction.h"

#include <QDate>
#include <QSqlQuery>
#include <QStringList>
#include <random>

namespace SampleData
{

namespace
{

const QStringList familyNames = {
    QStringLiteral("Popescu"),    QStringLiteral("Ionescu"), QStringLiteral("Stănescu"),
    QStringLiteral("Dumitrescu"), QStringLiteral("Țurcanu"), QStringLiteral("Șerban"),
    QStringLiteral("Ababei"),     QStringLiteral("Ăvram"),   QStringLiteral("Îonașcu"),
    QStringLiteral("Munteanu"),   QStringLiteral("Lungu"),   QStringLiteral("Constantinescu")};
const QStringList firstNames = {
    QStringLiteral("Ion"),    QStringLiteral("Maria"),  QStringLiteral("Gheorghe"),
    QStringLiteral("Elena"),  QStringLiteral("Vasile"), QStringLiteral("Ana"),
    QStringLiteral("Ștefan"), QStringLiteral("Ioana"),  QStringLiteral("Constantin")};
const QStringList streets = {QStringLiteral("Bisericii"),       QStringLiteral("Florilor"),
                             QStringLiteral("Unirii"),          QStringLiteral("Mihai Viteazu"),
                             QStringLiteral("Ștefan cel Mare"), QStringLiteral("Trandafirilor")};

QMap<int, QString> typeNames(const QSqlDatabase& db, const QString& table, const QString& codeField)
{
    QMap<int, QString> names;
    QSqlQuery q = Sql::exec(db, QStringLiteral("SELECT %1, Denumire FROM %2").arg(codeField, table));
    while (q.next())
        names.insert(q.value(0).toInt(), q.value(1).toString());
    return names;
}

} // namespace

void fillYear(const QSqlDatabase& db, int year, const Sizes& sizes, unsigned seed)
{
    std::mt19937 random(seed);
    const auto pick = [&](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(random)); };
    const QDate start(year, 1, 1);
    const int days = start.daysInYear();
    const auto sortedDates = [&](int count) {
        QList<QDate> dates;
        for (int i = 0; i < count; ++i)
            dates << start.addDays(pick(days));
        std::sort(dates.begin(), dates.end());
        return dates;
    };

    Transaction transaction(db);
    QStringList codes;
    for (int i = 0; i < sizes.parishioners; ++i) {
        const QString code = QStringLiteral("E%1").arg(i + 1, 4, 10, QLatin1Char('0'));
        codes << code;
        const QString name = familyNames[pick(int(familyNames.size()))] + QLatin1Char(' ') +
                             firstNames[pick(int(firstNames.size()))];
        const QStringList contributions = {QStringLiteral("Intreaga"), QStringLiteral("Jumatate"),
                                           QStringLiteral("50")};
        Sql::exec(
            db,
            QStringLiteral("INSERT INTO Enoriasi (Cod_enorias, Nume_prenume, Strada, Nr, Tip_contributie) "
                           "VALUES (:c, :n, :s, :nr, :t)"),
            {{QStringLiteral(":c"), code},
             {QStringLiteral(":n"), name},
             {QStringLiteral(":s"), streets[pick(int(streets.size()))]},
             {QStringLiteral(":nr"), QString::number(pick(120) + 1)},
             {QStringLiteral(":t"), contributions[pick(3)]}});
    }

    const QMap<int, QString> incomeTypes =
        typeNames(db, QStringLiteral("Tip_venituri"), QStringLiteral("Cod_venit"));
    const QList<int> incomeCodes = incomeTypes.keys();
    QSqlQuery income(db);
    income.prepare(QStringLiteral(
        "INSERT INTO Venituri (Nr_act, Data, Den_venit, Cod_venit, Cod_enorias, Den_enorias, Data_registru, "
        "Explicatie, Valoarea, Cont, Fel) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const QList<QDate> incomeDates = sortedDates(sizes.incomes);
    for (int i = 0; i < sizes.incomes; ++i) {
        const int code = incomeCodes.isEmpty() ? 2 : incomeCodes[pick(int(incomeCodes.size()))];
        const bool contribution = code == 2 && !codes.isEmpty();
        const QString date = incomeDates[i].toString(Qt::ISODate);
        income.addBindValue(double(i + 1));
        income.addBindValue(date);
        income.addBindValue(incomeTypes.value(code));
        income.addBindValue(code);
        income.addBindValue(contribution ? QVariant(codes[pick(int(codes.size()))]) : QVariant());
        income.addBindValue(QVariant());
        income.addBindValue(date);
        income.addBindValue(QStringLiteral("Incasare %1").arg(i + 1));
        income.addBindValue(double(pick(50000) + 100) / 100.0);
        income.addBindValue(pick(4) == 0 ? QStringLiteral("Banca") : QStringLiteral("Casa"));
        income.addBindValue(QStringLiteral("CHIT"));
        if (!income.exec())
            throw std::runtime_error("sample incomes");
    }

    const QMap<int, QString> expenseTypes =
        typeNames(db, QStringLiteral("Tip_cheltuieli"), QStringLiteral("Cod_cheltuiala"));
    const QList<int> expenseCodes = expenseTypes.keys();
    QSqlQuery expense(db);
    expense.prepare(QStringLiteral(
        "INSERT INTO Cheltuieli (Cod_cheltuiala, Data, Nr_act, Den_cheltuiala, Data_registru, Explicatie, "
        "Valoarea, Cont, Fel, Beneficiar) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const QList<QDate> expenseDates = sortedDates(sizes.expenses);
    for (int i = 0; i < sizes.expenses; ++i) {
        const int code = expenseCodes.isEmpty() ? 45 : expenseCodes[pick(int(expenseCodes.size()))];
        const QString date = expenseDates[i].toString(Qt::ISODate);
        expense.addBindValue(code);
        expense.addBindValue(date);
        expense.addBindValue(double(i + 1));
        expense.addBindValue(expenseTypes.value(code));
        expense.addBindValue(date);
        expense.addBindValue(QStringLiteral("Plata %1").arg(i + 1));
        expense.addBindValue(double(pick(200000) + 500) / 100.0);
        expense.addBindValue(pick(3) == 0 ? QStringLiteral("Banca") : QStringLiteral("Casa"));
        expense.addBindValue(QStringLiteral("OP"));
        expense.addBindValue(QStringLiteral("Furnizor %1").arg(pick(40) + 1));
        if (!expense.exec())
            throw std::runtime_error("sample expenses");
    }
    transaction.commit();
}

} // namespace SampleData
