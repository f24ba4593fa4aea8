#include "CandleShop.h"
#include "RecordedProgress.h"
#include "core/UserError.h"
#include "db/Sql.h"
#include "registers/CalculPangarUnt.h"
#include "support/Documents.h"
#include "support/TestFolder.h"

#include <QDir>
#include <gtest/gtest.h>

namespace
{

class CandleShopComputation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db = folder.openWorkingYear();
        CandleShop::setYear(db, 2024, 100, 150);
    }

    TestFolder folder;
    QSqlDatabase db;
};

} // namespace

TEST_F(CandleShopComputation, OpeningStockThenAPurchaseAndASaleRowByRow)
{
    CandleShop::purchase(db, 12, QStringLiteral("2024-01-05"), 200, 300);
    CandleShop::sale(db, 7, QStringLiteral("2024-01-06"), 50, 100);
    RecordedProgress progress;

    CalculPangar(db, progress);

    EXPECT_EQ(CandleShop::rows(db), QStringList({
                                        "2024-01-01|Report|-|100 0 100|150 0 150",
                                        "2024-01-05|FACT|12|200 0 300|300 0 450",
                                        "2024-01-06|CHIT|7|0 50 250|0 100 350",
                                    }));
    EXPECT_EQ(progress.caption, QStringLiteral("Calcul registru pangar"));
    EXPECT_EQ(progress.total, 3);
    EXPECT_EQ(progress.steps, QList<int>({1, 2, 3}));
    EXPECT_EQ(progress.finished, 1);
}

TEST_F(CandleShopComputation, EmptyQuantitiesCountAsZeroAndTheOpeningRowIsAlwaysThere)
{
    struct Case {
        int year;
        std::optional<double> candles, value;
        QString opening;
    };
    for (const Case& c : {Case{2024, std::nullopt, std::nullopt, "2024-01-01|Report|-|0 0 0|0 0 0"},
                          Case{2000, 0, 0, "2000-01-01|Report|-|0 0 0|0 0 0"},
                          Case{2100, 5, std::nullopt, "2100-01-01|Report|-|5 0 5|0 0 0"}}) {
        SCOPED_TRACE(c.year);
        CandleShop::setYear(db, c.year, c.candles, c.value);
        CalculPangar(db);
        EXPECT_EQ(CandleShop::rows(db), QStringList({c.opening}));
    }

    // A purchase and a sale without a quantity: no candles, their full value.
    CandleShop::setYear(db, 2024, 10, 20);
    CandleShop::purchase(db, 1, QStringLiteral("2024-02-01"), std::nullopt, 40);
    CandleShop::sale(db, 2, QStringLiteral("2024-02-02"), std::nullopt, 15);
    CalculPangar(db);
    EXPECT_EQ(CandleShop::rows(db), QStringList({
                                        "2024-01-01|Report|-|10 0 10|20 0 20",
                                        "2024-02-01|FACT|1|0 0 10|40 0 60",
                                        "2024-02-02|CHIT|2|0 0 10|0 15 45",
                                    }));
}

TEST_F(CandleShopComputation, EveryLineCountsAlsoTwoSalesAlikeAndOnlyTheCandleTypesFeedIt)
{
    for (int i = 0; i < 2; ++i) {
        CandleShop::sale(db, 3, QStringLiteral("2024-02-10"), 10, 20);
        CandleShop::purchase(db, 4, QStringLiteral("2024-02-11"), 30, 45);
    }
    // Other incomes and expenses, and a salary order, stay out of it.
    CandleShop::sale(db, 5, QStringLiteral("2024-02-12"), 99, 99, 1);
    CandleShop::purchase(db, 6, QStringLiteral("2024-02-12"), 99, 99, 34);
    Documents::salaryOrder(db, 7, QStringLiteral("2024-02-12"), QStringLiteral("Casa"),
                           {{CandleShop::purchaseType, 500}});

    CalculPangar(db);

    EXPECT_EQ(CandleShop::rows(db), QStringList({
                                        "2024-01-01|Report|-|100 0 100|150 0 150",
                                        "2024-02-10|CHIT|3|0 10 90|0 20 130",
                                        "2024-02-10|CHIT|3|0 10 80|0 20 110",
                                        "2024-02-11|FACT|4|30 0 110|45 0 155",
                                        "2024-02-11|FACT|4|30 0 140|45 0 200",
                                    }));
}

TEST_F(CandleShopComputation, WithinADayTheOpeningRowComesFirstThenPurchasesThenSalesAsStored)
{
    const QString newYear = QStringLiteral("2024-01-01");
    const QString day = QStringLiteral("2024-03-10");
    CandleShop::sale(db, 1, newYear, 100, 200);
    CandleShop::sale(db, 22, day, 1, 2);
    CandleShop::sale(db, 21, day, 3, 6);
    CandleShop::purchase(db, 12, day, 10, 15);
    CandleShop::purchase(db, 11, day, 20, 30);
    CandleShop::purchase(db, 2, newYear, 50, 75);

    CalculPangar(db);

    EXPECT_EQ(CandleShop::rows(db), QStringList({
                                        "2024-01-01|Report|-|100 0 100|150 0 150",
                                        "2024-01-01|FACT|2|50 0 150|75 0 225",
                                        "2024-01-01|CHIT|1|0 100 50|0 200 25",
                                        "2024-03-10|FACT|12|10 0 60|15 0 40",
                                        "2024-03-10|FACT|11|20 0 80|30 0 70",
                                        "2024-03-10|CHIT|22|0 1 79|0 2 68",
                                        "2024-03-10|CHIT|21|0 3 76|0 6 62",
                                    }));
}

TEST_F(CandleShopComputation, UndatedDocumentsAreKeptAndCountBeforeEveryDatedRow)
{
    CandleShop::sale(db, 1, QStringLiteral("2024-04-01"), 10, 20);
    CandleShop::purchase(db, 2, QString(), 40, 60);

    CalculPangar(db);

    EXPECT_EQ(CandleShop::rows(db), QStringList({
                                        "-|FACT|2|40 0 40|60 0 60",
                                        "2024-01-01|Report|-|100 0 140|150 0 210",
                                        "2024-04-01|CHIT|1|0 10 130|0 20 190",
                                    }));
}

TEST_F(CandleShopComputation, AFailedComputationLeavesTheRegisterAsItWas)
{
    CandleShop::sale(db, 1, QStringLiteral("2024-01-05"), 10, 20);
    CalculPangar(db);
    const QStringList before = CandleShop::rows(db);
    CandleShop::purchase(db, 2, QStringLiteral("2024-01-06"), 30, 45);
    Sql::exec(db, QStringLiteral("DROP TABLE Venituri"));

    try {
        CalculPangar(db);
        FAIL() << "the computation went on without the sales";
    } catch (const UserError& e) {
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("Eroare de acces la tabela Pangar!\n"))) << e.what();
        EXPECT_TRUE(e.text().endsWith(QLatin1Char('!')));
    }
    EXPECT_EQ(CandleShop::rows(db), before);
}

TEST_F(CandleShopComputation, AWorkTableThatCannotBeRebuiltIsReportedAsTheFileThatCannotBeMade)
{
    Sql::exec(db, QStringLiteral("DROP TABLE Pangar"));
    Sql::exec(db, QStringLiteral("CREATE VIEW Pangar AS SELECT 1 AS Data"));

    try {
        CalculPangar(db);
        FAIL() << "the candle-shop register was computed into a view";
    } catch (const UserError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Nu pot crea fisierul :") +
                                QDir::toNativeSeparators(folder.path()) +
                                QStringLiteral("Pangar. Inchideti fisierele aferente si repetati operatia!"));
    }
}
