#include "db/Connection.h"
#include "operations/RecomputeBalances.h"
#include "support/TestFolder.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace
{

// Every movement table with a few rows, some outside the sums (another
// account, an empty account, lines of no header) and some with empty values.
class BalancesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.openWorkingYear();
        for (const char* statement : {
                 "UPDATE Contor SET Sold_init_casa = 100.25, Sold_init_banca = 1000",
                 "INSERT INTO Venituri (Valoarea, Cont) VALUES (10, 'Casa'), (20.5, 'Casa'), (NULL, 'Casa'),"
                 " (300, 'Banca'), (99, NULL), (77, 'Altul')",
                 "INSERT INTO Depuneri (Suma) VALUES (40), (2.5), (NULL)",
                 "INSERT INTO Ridicari (Suma) VALUES (7)",
                 "INSERT INTO Cheltuieli (Valoarea, Cont) VALUES (5, 'Casa'), (50, 'Banca'), (NULL, 'Banca')",
                 "INSERT INTO CheltSal (Id, Cont) VALUES (1, 'Casa'), (2, 'Banca'), (3, 'Casa')",
                 "INSERT INTO ItemsSal (Id_CheltSal, Valoarea) VALUES (1, 1), (1, 2), (2, 30), (99, 1000)",
             })
            execOrFail(QString::fromLatin1(statement));
    }

    TestFolder folder;
};

} // namespace

TEST_F(BalancesTest, EverySumAgainstItsHandSum)
{
    const BalanceSums sums = readBalanceSums(Connection::database());
    const struct {
        const char* name;
        double BalanceSums::*sum;
        double expected;
    } cases[] = {
        {"opening cash", &BalanceSums::openingCash, 100.25},
        {"opening bank", &BalanceSums::openingBank, 1000},
        {"incomes in cash", &BalanceSums::incomesCash, 30.5},
        {"incomes in bank", &BalanceSums::incomesBank, 300},
        {"deposits", &BalanceSums::deposits, 42.5},
        {"withdrawals", &BalanceSums::withdrawals, 7},
        {"payments in cash", &BalanceSums::paymentsCash, 5},
        {"payments in bank", &BalanceSums::paymentsBank, 50},
        {"salary lines in cash", &BalanceSums::salaryCash, 3},
        {"salary lines in bank", &BalanceSums::salaryBank, 30},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(sums.*c.sum, c.expected) << c.name;

    const CurrentBalances balances = RecomputeBalances(Connection::database());
    EXPECT_DOUBLE_EQ(balances.cash, 100.25 + 30.5 - 42.5 + 7 - 5 - 3);
    EXPECT_DOUBLE_EQ(balances.bank, 1000 + 300 + 42.5 - 7 - 50 - 30);
    EXPECT_DOUBLE_EQ(balances.total(), balances.cash + balances.bank);
}

TEST_F(BalancesTest, EmptyTablesAndEmptyValuesCountAsZero)
{
    for (const char* table :
         {"Contor", "Venituri", "Depuneri", "Ridicari", "Cheltuieli", "CheltSal", "ItemsSal"})
        execOrFail(QStringLiteral("DELETE FROM ") + QString::fromLatin1(table));
    execOrFail(QStringLiteral("INSERT INTO Contor (Sold_init_casa) VALUES (NULL)"));
    const CurrentBalances balances = RecomputeBalances(Connection::database());
    EXPECT_EQ(balances.cash, 0.0);
    EXPECT_EQ(balances.bank, 0.0);
}

TEST(BalanceText, TwoDecimalsNoGroupingTheLocalesSeparator)
{
    const QLocale comma(QLocale::Romanian, QLocale::Romania);
    const QLocale point(QLocale::English, QLocale::UnitedStates);
    const struct {
        double value;
        const char* withComma;
        const char* withPoint;
    } cases[] = {
        {1234.5, "1234,50", "1234.50"},
        {1234567.891, "1234567,89", "1234567.89"},
        {0, "0,00", "0.00"},
        {-250.125, "-250,13", "-250.13"},
        {-1e-12, "0,00", "0.00"}, // a rounding remainder of the sums is not a negative balance
    };
    for (const auto& c : cases) {
        EXPECT_EQ(balanceText(c.value, comma), QString::fromLatin1(c.withComma)) << c.value;
        EXPECT_EQ(balanceText(c.value, point), QString::fromLatin1(c.withPoint)) << c.value;
        EXPECT_DOUBLE_EQ(balanceFromText(QString::fromLatin1(c.withComma), comma),
                         balanceFromText(QString::fromLatin1(c.withPoint), point));
        // The rounded value is the one its text reads.
        EXPECT_EQ(roundedBalance(c.value), balanceFromText(QString::fromLatin1(c.withComma), comma)) << c.value;
    }
    EXPECT_DOUBLE_EQ(balanceFromText(QStringLiteral("1234,50"), comma), 1234.5);
    EXPECT_EQ(balanceFromText(QStringLiteral("nimic"), comma), 0.0);
}
