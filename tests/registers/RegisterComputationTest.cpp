#include "RecordedProgress.h"
#include "RegisterRows.h"
#include "core/UserError.h"
#include "db/Connection.h"
#include "db/Sql.h"
#include "registers/CalculRegUnt.h"
#include "support/Documents.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

namespace
{

class RegisterComputation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db = folder.openWorkingYear();
        Documents::setYear(db, 2024, std::nullopt, std::nullopt);
    }

    TestFolder folder;
    QSqlDatabase db;
};

} // namespace

TEST_F(RegisterComputation, OpeningBalancesThenAReceiptADepositAndABankPaymentRowByRow)
{
    Documents::setYear(db, 2024, 500, 1000);
    Documents::receipt(db, 1, QStringLiteral("2024-01-05"), 200);
    Documents::deposit(db, 7, QStringLiteral("2024-01-06"), 300);
    Documents::payment(db, 2, QStringLiteral("2024-01-07"), 150, QStringLiteral("Banca"),
                       QStringLiteral("Reparatii"));
    RecordedProgress progress;

    CalculRegistru(db, progress);

    EXPECT_EQ(registerRows(db),
              QStringList({
                  "2024-01-01|CHIT|0|Sold in casa la inceputul anului|500 0 0 0 500|0 0 0 0 0|500",
                  "2024-01-01|EXT|0|Sold in cont la inceputul anului|0 0 0 0 500|1000 0 0 0 1000|1500",
                  "2024-01-05|CHIT|1|Donatie|200 0 0 0 700|0 0 0 0 1000|1700",
                  "2024-01-06|FD|7|Depunere numerar|0 0 0 300 400|0 300 0 0 1300|1700",
                  "2024-01-07|OP|2|Reparatii|0 0 0 0 400|0 0 150 0 1150|1550",
              }));
    EXPECT_EQ(progress.caption, QStringLiteral("Calcul registru casa- banca"));
    EXPECT_EQ(progress.total, 5);
    EXPECT_EQ(progress.steps, QList<int>({1, 2, 3, 4, 5}));
    EXPECT_EQ(progress.finished, 1);
}

TEST_F(RegisterComputation, OpeningRowsAreDatedFirstOfJanuaryOfTheWorkingYearInAnyCentury)
{
    for (const int year : {2000, 1999, 2024, 2100}) {
        SCOPED_TRACE(year);
        Documents::setYear(db, year, 0, 10);
        CalculRegistru(db);
        const QString first = QDate(year, 1, 1).toString(Qt::ISODate);
        EXPECT_EQ(registerRows(db),
                  QStringList({first + "|CHIT|0|Sold in casa la inceputul anului|0 0 0 0 0|0 0 0 0 0|0",
                               first + "|EXT|0|Sold in cont la inceputul anului|0 0 0 0 0|10 0 0 0 10|10"}));
    }
}

TEST_F(RegisterComputation, EmptyOpeningBalancesAndNoDocumentsLeaveTheRegisterEmpty)
{
    Documents::setYear(db, 2024, std::nullopt, 250);
    CalculRegistru(db);
    EXPECT_EQ(registerRows(db),
              QStringList({"2024-01-01|EXT|0|Sold in cont la inceputul anului|0 0 0 0 0|250 0 0 0 250|250"}));

    Documents::setYear(db, 2024, std::nullopt, std::nullopt);
    CalculRegistru(db);
    EXPECT_TRUE(registerRows(db).isEmpty());
}

TEST_F(RegisterComputation, EveryDocumentCountsAndOnlyTheLinesOfOneReceiptAreSummed)
{
    // One receipt of two lines.
    Documents::receipt(db, 10, QStringLiteral("2024-02-01"), 30);
    Documents::receipt(db, 10, QStringLiteral("2024-02-01"), 20);
    // Two payments, two deposits and two withdrawals alike in every field.
    for (int i = 0; i < 2; ++i) {
        Documents::payment(db, 5, QStringLiteral("2024-02-02"), 40);
        Documents::deposit(db, 6, QStringLiteral("2024-02-03"), 5);
        Documents::withdrawal(db, 8, QStringLiteral("2024-02-04"), 7);
    }
    // A salary order of two lines, and two orders alike.
    Documents::salaryOrder(db, 3, QStringLiteral("2024-02-05"), QStringLiteral("Casa"),
                           {{34, 100}, {35, 50}});
    Documents::salaryOrder(db, 4, QStringLiteral("2024-02-06"), QStringLiteral("Banca"), {{34, 60}});
    Documents::salaryOrder(db, 4, QStringLiteral("2024-02-06"), QStringLiteral("Banca"), {{34, 60}});

    CalculRegistru(db);

    EXPECT_EQ(registerRows(db), QStringList({
                                    "2024-02-01|CHIT|10|Donatie|50 0 0 0 50|0 0 0 0 0|50",
                                    "2024-02-02|OP|5|Lumanari|0 0 40 0 10|0 0 0 0 0|10",
                                    "2024-02-02|OP|5|Lumanari|0 0 40 0 -30|0 0 0 0 0|-30",
                                    "2024-02-03|FD|6|Depunere numerar|0 0 0 5 -35|0 5 0 0 5|-30",
                                    "2024-02-03|FD|6|Depunere numerar|0 0 0 5 -40|0 5 0 0 10|-30",
                                    "2024-02-04|CEC|8|Retragere numerar|0 7 0 0 -33|0 0 0 7 3|-30",
                                    "2024-02-04|CEC|8|Retragere numerar|0 7 0 0 -26|0 0 0 7 -4|-30",
                                    "2024-02-05|OP|3|Salarii|0 0 150 0 -176|0 0 0 0 -4|-180",
                                    "2024-02-06|OP|4|Salarii|0 0 0 0 -176|0 0 60 0 -64|-240",
                                    "2024-02-06|OP|4|Salarii|0 0 0 0 -176|0 0 60 0 -124|-300",
                                }));
}

TEST_F(RegisterComputation, WithinADayTheRowsFollowTheKindsThenTheOrderTheyWereStored)
{
    const QString day = QStringLiteral("2024-03-10");
    Documents::setYear(db, 2024, 100, 100);
    Documents::salaryOrder(db, 9, day, QStringLiteral("Casa"), {{34, 1}});
    Documents::payment(db, 8, day, 2);
    Documents::deposit(db, 7, day, 3);
    Documents::withdrawal(db, 6, day, 4);
    Documents::receipt(db, 5, day, 5, QStringLiteral("Casa"), QStringLiteral("Al doilea"));
    Documents::receipt(db, 2, day, 6, QStringLiteral("Casa"), QStringLiteral("Primul"));
    Documents::receipt(db, 1, QStringLiteral("2024-01-01"), 7);

    CalculRegistru(db);

    QStringList kinds;
    for (const QString& row : registerRows(db))
        kinds << row.section(QLatin1Char('|'), 0, 3);
    EXPECT_EQ(kinds, QStringList({
                         "2024-01-01|CHIT|0|Sold in casa la inceputul anului",
                         "2024-01-01|EXT|0|Sold in cont la inceputul anului",
                         "2024-01-01|CHIT|1|Donatie",
                         "2024-03-10|CHIT|5|Al doilea",
                         "2024-03-10|CHIT|2|Primul",
                         "2024-03-10|CEC|6|Retragere numerar",
                         "2024-03-10|FD|7|Depunere numerar",
                         "2024-03-10|OP|8|Lumanari",
                         "2024-03-10|OP|9|Salarii",
                     }));
    EXPECT_TRUE(registerRows(db).last().endsWith(QStringLiteral("|0 0 1 0 116|0 0 0 0 99|215")));
}

TEST_F(RegisterComputation, UndatedDocumentsCountInTheBalancesAndTheirRowsAreRemoved)
{
    Documents::receipt(db, 1, QString(), 80);
    Documents::receipt(db, 2, QStringLiteral("2024-04-01"), 20);

    CalculRegistru(db);

    EXPECT_EQ(registerRows(db), QStringList({"2024-04-01|CHIT|2|Donatie|20 0 0 0 100|0 0 0 0 0|100"}));
}

TEST_F(RegisterComputation, ThePerTypeComputationTakesThatTypesPaymentsIntoCashPaymentsWithoutBalances)
{
    Documents::setYear(db, 2024, 500, 1000);
    Documents::payment(db, 1, QStringLiteral("2024-01-10"), 70);
    Documents::payment(db, 2, QStringLiteral("2024-01-11"), 30, QStringLiteral("Banca"));
    Documents::payment(db, 2, QStringLiteral("2024-01-11"), 30, QStringLiteral("Banca"));
    Documents::payment(db, 3, QStringLiteral("2024-01-12"), 99, QStringLiteral("Casa"),
                       QStringLiteral("Altele"), 35);
    Documents::salaryOrder(db, 4, QStringLiteral("2024-01-13"), QStringLiteral("Casa"),
                           {{34, 100}, {35, 50}});
    Documents::receipt(db, 5, QStringLiteral("2024-01-14"), 10);

    CalculRegistruPartizi(db, 34);

    EXPECT_EQ(registerRows(db), QStringList({
                                    "2024-01-10|OP|1|Lumanari|- - 70 - -|- - - - -|-",
                                    "2024-01-11|OP|2|Lumanari|- - 30 - -|- - - - -|-",
                                    "2024-01-11|OP|2|Lumanari|- - 30 - -|- - - - -|-",
                                    "2024-01-13|OP|4|Salarii|- - 100 - -|- - - - -|-",
                                }));
}

TEST_F(RegisterComputation, AFailedComputationLeavesTheRegisterAsItWas)
{
    Documents::receipt(db, 1, QStringLiteral("2024-01-05"), 200);
    CalculRegistru(db);
    const QStringList before = registerRows(db);
    Documents::receipt(db, 2, QStringLiteral("2024-01-06"), 300);
    Sql::exec(db, QStringLiteral("DROP TABLE ItemsSal"));

    try {
        CalculRegistru(db);
        FAIL() << "the computation went on without the salary order lines";
    } catch (const UserError& e) {
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("Eroare de acces la tabela registru!\n"))) << e.what();
        EXPECT_TRUE(e.text().endsWith(QLatin1Char('!')));
    }
    EXPECT_EQ(registerRows(db), before);
    EXPECT_THROW(CalculRegistruPartizi(db, 34), UserError);
    EXPECT_EQ(registerRows(db), before);
}

TEST_F(RegisterComputation, AWorkTableThatCannotBeRebuiltIsReportedAsTheFileThatCannotBeMade)
{
    Sql::exec(db, QStringLiteral("DROP TABLE Registru"));
    Sql::exec(db, QStringLiteral("CREATE VIEW Registru AS SELECT 1 AS Data"));

    try {
        CalculRegistru(db);
        FAIL() << "the register was computed into a view";
    } catch (const UserError& e) {
        EXPECT_EQ(e.text(),
                  QStringLiteral("Nu pot crea fisierul :") + QDir::toNativeSeparators(folder.path()) +
                      QStringLiteral("Registru. Inchideti fisierele aferente si repetati operatia!"));
    }
}
