#include "BalanceSheetRows.h"
#include "core/ProgramFolder.h"
#include "core/UserError.h"
#include "db/Sql.h"
#include "registers/CalculBilantUnt.h"
#include "support/Documents.h"
#include "support/TestFolder.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using BalanceSheetRows::figures;
using BalanceSheetRows::figuresOf;
using BalanceSheetRows::Row;

namespace
{

const QString executie = QStringLiteral("Executie");
const QString prevederi = QStringLiteral("Prevederi");
const QDate endOfYear(2024, 12, 31);

class BalanceSheetComputation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db = folder.openWorkingYear();
        Documents::setYear(db, 2024, 500, 1000);
    }

    // Incomes of types 2, 3 and 5: 100, 50 and 30 lei.
    void addTheExampleIncomes()
    {
        Documents::receipt(db, 1, QStringLiteral("2024-02-01"), 100, QStringLiteral("Casa"), {}, 2);
        Documents::receipt(db, 2, QStringLiteral("2024-02-02"), 50, QStringLiteral("Casa"), {}, 3);
        Documents::receipt(db, 3, QStringLiteral("2024-02-03"), 30, QStringLiteral("Banca"), {}, 5);
    }

    // The computation is refused with the text given, and leaves the table as it was.
    void expectRefused(const QString& beginning, const QString& naming)
    {
        const QString before = BalanceSheetRows::snapshot(db);
        try {
            CalculBilant(db, endOfYear, false);
            ADD_FAILURE() << "not refused";
        } catch (const UserError& e) {
            EXPECT_TRUE(e.text().startsWith(beginning)) << e.text().toStdString();
            EXPECT_TRUE(e.text().contains(naming)) << e.text().toStdString();
            EXPECT_TRUE(e.text().endsWith(QLatin1Char('!'))) << e.text().toStdString();
        }
        EXPECT_EQ(BalanceSheetRows::snapshot(db), before);
    }

    TestFolder folder;
    QSqlDatabase db;
};

struct LastStepProgress : Progress {
    QString caption;
    int total = -1, last = -1, finished = 0;
    void start(const QString& c, int t) override
    {
        caption = c;
        total = t;
    }
    void step(int done) override { last = done; }
    void finish() override { ++finished; }
};

const QString refusedStart = QStringLiteral("Eroare de acces la tabela bilant!\n");

} // namespace

TEST_F(BalanceSheetComputation, FormulasOverRowsTwoThreeAndFive)
{
    addTheExampleIncomes();
    struct Case {
        const char* formula;
        const char* execution;
        const char* forecast;
    };
    // Forecasts 10, 20 and 5 typed on rows 2, 3 and 5.
    const Case cases[] = {
        {"2+3-5", "120", "25"}, {"2*3/5", "120", "25"},     {" 2 + 3 - 5 ", "120", "25"},
        {"2-3+5", "80", "-5"},  {"2+3-77", "null", "null"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.formula);
        BalanceSheetRows::replace(db, {{2, "Doi", {}, 10},
                                       {3, "Trei", {}, 20},
                                       {5, "Cinci", {}, 5},
                                       {10, "Total", QString::fromLatin1(c.formula), 999}});
        CalculBilant(db, endOfYear, false);
        EXPECT_EQ(figures(db, executie), QStringList({"100", "50", "30", c.execution}));
        EXPECT_EQ(figures(db, prevederi), QStringList({"10", "20", "5", c.forecast}));
    }
}

TEST_F(BalanceSheetComputation, ChainsOfFormulasComeOutRightWhateverTheirDepthAndOrder)
{
    addTheExampleIncomes();
    struct Case {
        const char* name;
        QList<Row> rows;
        QStringList executions;
    };
    const QList<Case> cases{
        {"forward one level",
         {{2, "Doi"}, {3, "Trei"}, {5, "Cinci"}, {10, "A", "2+20"}, {20, "B", "3+5"}},
         {"100", "50", "30", "180", "80"}},
        {"forward three levels",
         {{2, "Doi"},
          {3, "Trei"},
          {5, "Cinci"},
          {10, "A", "2+20"},
          {20, "B", "3+30"},
          {30, "C", "40"},
          {40, "D", "5"}},
         {"100", "50", "30", "180", "80", "30", "30"}},
        {"backward",
         {{2, "Doi"}, {3, "Trei"}, {5, "Cinci"}, {10, "A", "2+3"}, {20, "B", "10-5"}, {30, "C", "20+10"}},
         {"100", "50", "30", "150", "120", "270"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BalanceSheetRows::replace(db, c.rows);
        CalculBilant(db, endOfYear, false);
        EXPECT_EQ(figures(db, executie), c.executions);
    }
}

TEST_F(BalanceSheetComputation, OpeningBalanceIncomeExpenseAndSalaryTotalsGoIntoTheFirstRowOfTheirNumber)
{
    Sql::exec(db, QStringLiteral(
                      "INSERT INTO Tip_venituri (Cod_venit, Denumire) VALUES (23, 'Venit si cheltuiala')"));
    BalanceSheetRows::replace(db, {{1, "Sold"},
                                   {1, "Sold, al doilea rand"},
                                   {2, "Contributii", {}, 40},
                                   {23, "Salarii clerici"},
                                   {24, "Salarii personal"},
                                   {46, "Virari"}});
    Documents::receipt(db, 1, QStringLiteral("2024-01-10"), 70, QStringLiteral("Casa"), {}, 2);
    Documents::receipt(db, 2, QStringLiteral("2024-01-11"), 5, QStringLiteral("Casa"), {}, 2);
    Documents::receipt(db, 3, QStringLiteral("2024-01-12"), 999, QStringLiteral("Casa"), {}, 23);
    Documents::payment(db, 4, QStringLiteral("2024-01-13"), 200, QStringLiteral("Casa"), {}, 23);
    Documents::salaryOrder(db, 5, QStringLiteral("2024-01-31"), QStringLiteral("Banca"),
                           {{23, 300}, {24, 400}});
    // An expense type with no balance row shows nowhere; a later document does not count.
    Documents::payment(db, 6, QStringLiteral("2024-01-14"), 1234, QStringLiteral("Casa"), {}, 45);
    Documents::receipt(db, 7, QStringLiteral("2024-02-01"), 1000, QStringLiteral("Casa"), {}, 2);

    CalculBilant(db, QDate(2024, 1, 31), false);
    // The expense total replaces the income total of code 23; the salary lines add to it.
    EXPECT_EQ(figures(db, executie), QStringList({"1500", "0", "75", "500", "400", "0"}));
    EXPECT_EQ(figures(db, prevederi), QStringList({"0", "0", "40", "0", "0", "0"}));

    // An income type numbered 1 replaces the opening balance.
    Sql::exec(db, QStringLiteral("INSERT INTO Tip_venituri (Cod_venit, Denumire) VALUES (1, 'Sold adus')"));
    Documents::receipt(db, 8, QStringLiteral("2024-01-02"), 65, QStringLiteral("Casa"), {}, 1);
    CalculBilant(db, QDate(2024, 1, 31), false);
    EXPECT_EQ(figuresOf(db, executie, 1), QStringList({"65", "0"}));
}

TEST_F(BalanceSheetComputation, InThousandsOfLeiEveryExecutionIsRoundedBeforeTheFormulasAndForecastsStay)
{
    struct Case {
        double lei;
        const char* thousands;
    };
    // 0.125 and 0.375 thousand are exact halves: each goes to its even neighbour.
    const Case cases[] = {{1234567.89, "1234.57"}, {125, "0.12"}, {375, "0.38"}, {4, "0"}, {1000, "1"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lei);
        Sql::exec(db, QStringLiteral("DELETE FROM Venituri"));
        BalanceSheetRows::replace(db, {{1, "Sold"}, {2, "Contributii", {}, 1500.5}, {20, "Total", "1+2", 7}});
        Documents::receipt(db, 1, QStringLiteral("2024-03-01"), c.lei, QStringLiteral("Casa"), {}, 2);
        CalculBilant(db, endOfYear, true);
        EXPECT_EQ(figuresOf(db, executie, 2), QStringList({c.thousands}));
        EXPECT_EQ(figuresOf(db, executie, 1), QStringList({"1.5"}));
        EXPECT_DOUBLE_EQ(Sql::scalar(db, "SELECT Executie FROM Bilant WHERE Nr_rand = 20").toDouble(),
                         1.5 + QString::fromLatin1(c.thousands).toDouble());
        EXPECT_EQ(figures(db, prevederi), QStringList({"0", "1500.5", "1500.5"}));
    }
}

TEST_F(BalanceSheetComputation, TheDeliveredNomenclatureKeepsTheExpensesTitleForecastAndTotalsEachSection)
{
    Sql::exec(db, QStringLiteral("UPDATE Bilant SET Prevederi = 77 WHERE Denumire = 'CHELTUIELI'"));
    Sql::exec(db, QStringLiteral("UPDATE Bilant SET Prevederi = 60 WHERE Nr_rand = 23"));
    Sql::exec(db, QStringLiteral("UPDATE Bilant SET Prevederi = 1 WHERE Nr_rand IN (20, 47, 48)"));
    Documents::receipt(db, 1, QStringLiteral("2024-03-01"), 300, QStringLiteral("Casa"), {}, 7);
    Documents::payment(db, 2, QStringLiteral("2024-03-02"), 100, QStringLiteral("Casa"), {}, 23);
    Documents::salaryOrder(db, 3, QStringLiteral("2024-03-03"), QStringLiteral("Casa"), {{24, 50}, {26, 25}});

    CalculBilant(db, endOfYear, false);
    // The title keeps its typed forecast and no execution; the personnel subtotal gets its own.
    EXPECT_EQ(figuresOf(db, executie, 22), QStringList({"0", "150"}));
    EXPECT_EQ(figuresOf(db, prevederi, 22), QStringList({"77", "60"}));
    EXPECT_EQ(figuresOf(db, executie, 20), QStringList({"300"}));
    EXPECT_EQ(figuresOf(db, executie, 21), QStringList({"1800"}));
    EXPECT_EQ(figuresOf(db, executie, 47), QStringList({"175"}));
    EXPECT_EQ(figuresOf(db, executie, 48), QStringList({"1625"}));
    EXPECT_EQ(figuresOf(db, prevederi, 47), QStringList({"60"}));
    EXPECT_EQ(figuresOf(db, prevederi, 48), QStringList({"-60"}));
}

TEST_F(BalanceSheetComputation, AFormulaThatIsNotNumbersAndOperatorsIsRefusedAndNothingChanges)
{
    addTheExampleIncomes();
    for (const char* formula : {"2); DELETE FROM Bilant; --", "2+x", "2+", "(2)", "2 3"}) {
        SCOPED_TRACE(formula);
        BalanceSheetRows::replace(
            db, {{2, "Doi", {}, 10}, {3, "Trei"}, {10, "Bun", "2+3"}, {12, "Rau", formula}});
        expectRefused(refusedStart + QStringLiteral("Formula randului 12 "),
                      QString::fromLatin1(formula).trimmed());
        EXPECT_EQ(storedRows(QStringLiteral("Bilant")), 4);
    }
    // A formula of blanks only is no formula: that row's typed forecast stays.
    BalanceSheetRows::replace(db, {{2, "Doi", "  ", 10}});
    CalculBilant(db, endOfYear, false);
    EXPECT_EQ(figures(db, prevederi), QStringList({"10"}));
    EXPECT_EQ(figures(db, executie), QStringList({"100"}));
}

TEST_F(BalanceSheetComputation, FormulasThatDependOnEachOtherInACircleAreRefusedNamingTheirRows)
{
    addTheExampleIncomes();
    struct Case {
        const char* name;
        QList<Row> rows;
        const char* naming;
    };
    const QList<Case> cases{
        {"itself", {{2, "Doi"}, {10, "A", "2+10"}}, "Formula randului 10 depinde de propriul ei rezultat"},
        {"two rows", {{2, "Doi"}, {3, "Trei"}, {10, "A", "2+11"}, {11, "B", "10-3"}}, "randurilor 10, 11 "},
        {"three rows behind another",
         {{2, "Doi"}, {5, "X", "30"}, {30, "A", "40"}, {40, "B", "50"}, {50, "C", "30+2"}},
         "randurilor 30, 40, 50 "},
        {"a number shared with a title",
         {{2, "Doi"}, {22, "CHELTUIELI"}, {22, "Personal", "2+22"}},
         "Formula randului 22 depinde"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BalanceSheetRows::replace(db, c.rows);
        Sql::exec(db, QStringLiteral("UPDATE Bilant SET Executie = 5")); // figures to keep
        expectRefused(refusedStart, QString::fromLatin1(c.naming));
    }
}

TEST_F(BalanceSheetComputation, APeriodIsTheExecutionOfItsDocumentsRowByRow)
{
    // Two rows numbered 22: the title and the personnel subtotal of the delivered nomenclature.
    Documents::receipt(db, 1, QStringLiteral("2024-01-31"), 1, QStringLiteral("Casa"), {}, 7);
    Documents::receipt(db, 2, QStringLiteral("2024-02-01"), 20, QStringLiteral("Casa"), {}, 7);
    Documents::receipt(db, 3, QStringLiteral("2024-02-02"), 300, QStringLiteral("Casa"), {}, 7);
    Documents::receipt(db, 4, QStringLiteral("2024-03-31"), 4000, QStringLiteral("Casa"), {}, 7);
    Documents::receipt(db, 5, QStringLiteral("2024-04-01"), 50000, QStringLiteral("Casa"), {}, 7);
    Documents::salaryOrder(db, 6, QStringLiteral("2024-01-15"), QStringLiteral("Casa"), {{24, 50}});
    Documents::salaryOrder(db, 7, QStringLiteral("2024-02-15"), QStringLiteral("Casa"), {{24, 30}});
    Sql::exec(db, QStringLiteral("UPDATE Bilant SET Prevederi = 77 WHERE Denumire = 'CHELTUIELI'"));

    struct Case {
        QDate from, to;
        const char *opening, *donations, *personnel, *salaries, *end;
    };
    const Case cases[] = {
        // Both ends belong to the period.
        {QDate(2024, 2, 1), QDate(2024, 3, 31), "0", "4320", "30", "30", "4290"},
        {QDate(2024, 2, 2), QDate(2024, 3, 31), "0", "4300", "30", "30", "4270"},
        // From 1 January: the opening balance and everything up to the end.
        {QDate(2024, 1, 1), QDate(2024, 3, 31), "1500", "4321", "80", "80", "5741"},
        {QDate(2024, 4, 1), QDate(2024, 6, 30), "0", "50000", "0", "0", "50000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from.toString(Qt::ISODate).toStdString() + " " +
                     c.to.toString(Qt::ISODate).toStdString());
        CalculBilantPerioada(db, c.from, c.to, false);
        EXPECT_EQ(figuresOf(db, executie, 1), QStringList({c.opening}));
        EXPECT_EQ(figuresOf(db, executie, 7), QStringList({c.donations}));
        EXPECT_EQ(figuresOf(db, executie, 22), QStringList({"0", c.personnel}));
        EXPECT_EQ(figuresOf(db, executie, 24), QStringList({c.salaries}));
        EXPECT_EQ(figuresOf(db, executie, 48), QStringList({c.end}));
        EXPECT_EQ(figuresOf(db, prevederi, 22), QStringList({"77", "0"}));
    }
    // The snapshot before the period stays in Bilant1.
    EXPECT_EQ(Sql::scalar(db, QStringLiteral("SELECT count(*) FROM Bilant1")).toInt(), storedRows("Bilant"));
}

TEST_F(BalanceSheetComputation, APeriodThatEndsBeforeItStartsOrARefusedFormulaChangesNothing)
{
    addTheExampleIncomes();
    CalculBilant(db, endOfYear, false);
    const QString before = BalanceSheetRows::snapshot(db);
    EXPECT_THROW(CalculBilantPerioada(db, QDate(2024, 3, 1), QDate(2024, 2, 1), false), UserError);
    EXPECT_EQ(BalanceSheetRows::snapshot(db), before);

    Sql::exec(db, QStringLiteral("UPDATE Bilant SET Formula = '20+abc' WHERE Nr_rand = 48"));
    const QString withBadFormula = BalanceSheetRows::snapshot(db);
    EXPECT_THROW(CalculBilantPerioada(db, QDate(2024, 2, 2), QDate(2024, 3, 1), false), UserError);
    EXPECT_EQ(BalanceSheetRows::snapshot(db), withBadFormula);
}

TEST_F(BalanceSheetComputation, ReportsItsProgressAndKeepsItsPrivateFolder)
{
    addTheExampleIncomes();
    LastStepProgress progress;
    CalculBilant(db, endOfYear, false, progress);
    const int rows = storedRows(QStringLiteral("Bilant"));
    EXPECT_EQ(progress.caption, QStringLiteral("Calcul bilant"));
    EXPECT_EQ(progress.total, 1 + 3 + 2 * rows);
    EXPECT_EQ(progress.last, progress.total);
    EXPECT_EQ(progress.finished, 1);
    EXPECT_TRUE(QFileInfo(programFolder() + QStringLiteral("PRIV")).isDir());

    // A file in the way of the folder: nothing is computed.
    QDir(programFolder()).rmdir(QStringLiteral("PRIV"));
    folder.write(QStringLiteral("PRIV"), "x");
    Sql::exec(db, QStringLiteral("UPDATE Bilant SET Executie = 5"));
    try {
        CalculBilant(db, endOfYear, false);
        ADD_FAILURE() << "computed without its folder";
    } catch (const UserError& e) {
        EXPECT_EQ(e.text(),
                  QStringLiteral("Nu pot crea ") + QDir::toNativeSeparators(programFolder()) + "PRIV");
    }
    EXPECT_EQ(Sql::scalar(db, QStringLiteral("SELECT count(*) FROM Bilant WHERE Executie <> 5")).toInt(), 0);
}
