// A year of an older parish's books imported with the program, then its cash
// and bank books, the book of receipts and payments and the ledger of an
// income type printed from the command line: their closing figures are
// the ones counted here from the documents written into the table files.
#include "OldParish.h"

#include "support/ProgramRun.h"
#include "support/TestFolder.h"

#include <QDate>
#include <QFile>
#include <QLocale>
#include <gtest/gtest.h>

using namespace OldTableFile;

namespace
{

struct Balances {
    double cash = 100;
    double bank = 7;
    double incomesOfType1 = 0;
};

// Writes the year 2024 of documents in both accounts, and what they leave in each.
Balances writeYear(const OldParish& parish)
{
    Balances left;
    parish.write(QStringLiteral("Parohia.DB"), {alpha("Parohia", 30), longInt("An_lucru")},
                 {{QStringLiteral("Sfântul Ştefan"), 2024}});
    parish.write(QStringLiteral("Contor.DB"), {money("Sold_init_casa"), money("Sold_init_banca")},
                 {{left.cash, left.bank}});
    QList<Row> incomes, expenses, deposits, withdrawals, orders, orderLines;
    const auto account = [](int day) {
        return day % 4 == 0 ? QStringLiteral("Banca") : QStringLiteral("Casa");
    };
    const auto book = [&](int day, double amount) { (day % 4 == 0 ? left.bank : left.cash) += amount; };
    for (int day = 0; day < 366; ++day) {
        const QDate date = QDate(2024, 1, 1).addDays(day);
        const double income = 10 + (day % 17) * 3.55;
        incomes.append({day + 1, date, QStringLiteral("Lumânări şi pomelnice"), 1, QStringLiteral("Donaţie"),
                        income, account(day), QStringLiteral("CHIT")});
        book(day, income);
        left.incomesOfType1 += income;
        if (day % 3 == 0) {
            const double expense = 4 + (day % 11) * 1.25;
            expenses.append({2, date, day + 1, QStringLiteral("Întreţinere"), QStringLiteral("Ţiglă"),
                             expense, account(day + 1), QStringLiteral("OP")});
            book(day + 1, -expense);
        }
        if (day % 30 == 5) {
            deposits.append({day, date, 150, QStringLiteral("FD")});
            left.cash -= 150;
            left.bank += 150;
        }
        if (day % 45 == 7) {
            withdrawals.append({day, date, 80, QStringLiteral("CEC")});
            left.cash += 80;
            left.bank -= 80;
        }
        if (date.day() == 15) {
            const int id = int(orders.size()) + 1;
            orders.append(
                {id, date, id, QStringLiteral("Casa"), QStringLiteral("Salarii %1").arg(date.month())});
            for (const double amount : {300.0, 120.5}) {
                orderLines.append({id, int(orderLines.size()) + 1, 5, QStringLiteral("Salariu"), amount});
                left.cash -= amount;
            }
        }
    }
    parish.write(QStringLiteral("Venituri.DB"),
                 {number("Nr_act"), date("Data"), alpha("Den_venit", 100), shortInt("Cod_venit"),
                  alpha("Explicatie", 100), money("Valoarea"), alpha("Cont", 15), alpha("Fel", 15)},
                 incomes);
    parish.write(QStringLiteral("Cheltuieli.DB"),
                 {shortInt("Cod_cheltuiala"), date("Data"), number("Nr_act"), alpha("Den_cheltuiala", 100),
                  alpha("Explicatie", 100), money("Valoarea"), alpha("Cont", 15), alpha("Fel", 15)},
                 expenses);
    for (const auto& [name, rows] : {std::pair{QStringLiteral("Depuneri.DB"), deposits},
                                     std::pair{QStringLiteral("Ridicari.DB"), withdrawals}})
        parish.write(name, {number("Nr_doc"), date("Data"), money("Suma"), alpha("Fel", 15)}, rows);
    parish.write(QStringLiteral("CheltSal.DB"),
                 {autoInc("Id"), date("Data"), number("Nr_act"), alpha("Cont", 15), alpha("Explicatie", 100)},
                 orders);
    parish.write(QStringLiteral("ItemsSal.DB"),
                 {number("Id_CheltSal"), autoInc("Nr_act_sec"), shortInt("Cod_cheltuiala"),
                  alpha("Den_cheltuiala", 100), money("Valoarea")},
                 orderLines);
    parish.write(QStringLiteral("Enoriasi.DB"),
                 {alpha("Cod_enorias", 10), alpha("Nume_prenume", 30), alpha("Strada", 25), alpha("Nr", 10),
                  alpha("Tip_contributie", 20)},
                 {{QStringLiteral("1"), QStringLiteral("Ţăranu Ştefan"), QStringLiteral("Mărăşeşti"), "3",
                   QStringLiteral("lunară")},
                  {QStringLiteral("2"), QStringLiteral("Bălăşoiu Ana"), QStringLiteral("Îngustă"), "10",
                   QStringLiteral("anuală")}});
    parish.write(QStringLiteral("Tip_venituri.DB"), {shortInt("Cod_venit"), alpha("Denumire", 100)},
                 {{1, QStringLiteral("Lumânări")}});
    parish.incomes(QStringLiteral("2023/Venituri.DB"), {{1, 30}, {2, 45.5}});
    return left;
}

// A column of the last line of a report's CSV holding `mark`.
double lastValue(const QStringList& lines, const QString& mark, int column)
{
    for (auto line = lines.crbegin(); line != lines.crend(); ++line)
        if (line->contains(mark))
            return QLocale(QLocale::Romanian).toDouble(line->split(QLatin1Char(';')).value(column));
    return qQNaN();
}

} // namespace

TEST(ImportedBooks, EveryBookClosesOnTheFiguresOfTheImportedDocuments)
{
    TestFolder folder;
    OldParish parish;
    const Balances expected = writeYear(parish);
    const QString program = folder.file(QStringLiteral("Lumivaret"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(LUMIVARET_EXECUTABLE), program));

    const ProgramOutcome imported = runProgram(program, {QStringLiteral("--import"), parish.path()});
    ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    EXPECT_TRUE(imported.out.contains(QStringLiteral("Venituri.DB: citite 366, preluate 366, refuzate 0")))
        << imported.out.toStdString();
    EXPECT_EQ(rowsOf(folder.databaseFile(),
                     QStringLiteral("SELECT Nume_prenume, Strada FROM Enoriasi ORDER BY rowid")),
              QStringList({"Ţăranu Ştefan|Mărăşeşti", "Bălăşoiu Ana|Îngustă"}));

    const struct {
        QStringList arguments;
        QString mark;
        int column;
        double expected;
    } books[] = {
        {{"--report", "registru-casa"}, "Sold final", 5, expected.cash},
        {{"--report", "registru-banca"}, "Sold final", 5, expected.bank},
        {{"--report", "registru-incasari-plati"}, "Total general", 8, expected.cash},
        {{"--report", "registru-incasari-plati"}, "Total general", 13, expected.bank},
        {{"--report", "registru-incasari-plati"}, "Total general", 14, expected.cash + expected.bank},
        {{"--report", "fisa-venituri", "--code", "1"}, "2024", 4, expected.incomesOfType1},
    };
    for (const auto& book : books) {
        SCOPED_TRACE(book.arguments.join(QLatin1Char(' ')).toStdString() + " column " +
                     std::to_string(book.column));
        const QString csv = folder.file(QStringLiteral("carte.csv"));
        const ProgramOutcome printed = runProgram(program, book.arguments + QStringList{"--csv", csv});
        ASSERT_EQ(printed.exitCode, 0) << printed.err.toStdString();
        EXPECT_NEAR(lastValue(textFileLines(csv), book.mark, book.column), book.expected, 0.005);
    }
}
