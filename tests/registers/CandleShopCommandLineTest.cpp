#include "CandleShop.h"
#include "CopiedProgramFixture.h"
#include "support/PdfPages.h"

#include <gtest/gtest.h>

namespace
{

// The program copied into a test folder whose database holds the candle
// documents of 2024: opening stock 100 worth 150, 200 candles bought for 300
// on 5 January, 50 sold for 100 on 6 January, 10 sold for 20 on 2 March.
class CandleShopCommandLine : public CopiedProgramFixture
{
protected:
    void SetUp() override
    {
        copyProgramBeside([](const QSqlDatabase& db) {
            CandleShop::setYear(db, 2024, 100, 150);
            CandleShop::purchase(db, 12, QStringLiteral("2024-01-05"), 200, 300);
            CandleShop::sale(db, 7, QStringLiteral("2024-01-06"), 50, 100);
            CandleShop::sale(db, 8, QStringLiteral("2024-03-02"), 10, 20);
        });
    }
};

const QString header = QStringLiteral("Data;Documentul / Felul;Documentul / Numarul;Cantitatea / Intrata;"
                                      "Cantitatea / Iesita;Cantitatea / Stoc;Valoarea / Intrata;"
                                      "Valoarea / Iesita;Valoarea / Sold");

} // namespace

TEST_F(CandleShopCommandLine, IsListedByNameAndCaption)
{
    const ProgramOutcome r = run({QStringLiteral("--list-reports")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(
        r.out.split(QLatin1Char('\n')).contains(QStringLiteral("registru-pangar\tRaport registru pangar")))
        << r.out.toStdString();
}

TEST_F(CandleShopCommandLine, APeriodFromMarchWritesItsRowsTheGrandTotalAndThePdf)
{
    const ProgramOutcome r =
        run({QStringLiteral("--report"), QStringLiteral("registru-pangar"), QStringLiteral("--from"),
             QStringLiteral("01.03.2024"), QStringLiteral("--to"), QStringLiteral("2024-03-31"),
             QStringLiteral("--pdf"), folder.file(QStringLiteral("p.pdf")), QStringLiteral("--csv"),
             folder.file(QStringLiteral("p.csv"))});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err, QString());

    EXPECT_EQ(fileLines(QStringLiteral("p.csv")),
              QStringList({header, "02.03.2024;CHIT;8;0,00;10,00;240,00;0,00;20,00;330,00",
                           "Total general :;;;300,00;60,00;240,00;450,00;120,00;330,00"}));
    const QList<PdfPage> pages = readPdfPages(folder.file(QStringLiteral("p.pdf")));
    ASSERT_EQ(pages.size(), 1);
    EXPECT_NEAR(pages[0].size.width(), 210, 1);
    EXPECT_NEAR(pages[0].size.height(), 297, 1);
    EXPECT_TRUE(pages[0].texts.contains(QStringLiteral("REGISTRU PANGAR")));
}

TEST_F(CandleShopCommandLine, TheWholeWorkingYearByDefaultInTheLocaleOfTheEnvironment)
{
    struct Case {
        const char* locale;
        QStringList lines;
    };
    const QList<Case> cases{
        {"ro_RO.UTF-8",
         {header, "01.01.2024;Report;;100,00;0,00;100,00;150,00;0,00;150,00",
          "05.01.2024;FACT;12;200,00;0,00;300,00;300,00;0,00;450,00",
          "06.01.2024;CHIT;7;0,00;50,00;250,00;0,00;100,00;350,00",
          "02.03.2024;CHIT;8;0,00;10,00;240,00;0,00;20,00;330,00",
          "Total general :;;;300,00;60,00;240,00;450,00;120,00;330,00"}},
        // Dates always day first, with the locale's separator.
        {"en_US.UTF-8",
         {header, "01/01/2024;Report;;100.00;0.00;100.00;150.00;0.00;150.00",
          "05/01/2024;FACT;12;200.00;0.00;300.00;300.00;0.00;450.00",
          "06/01/2024;CHIT;7;0.00;50.00;250.00;0.00;100.00;350.00",
          "02/03/2024;CHIT;8;0.00;10.00;240.00;0.00;20.00;330.00",
          "Total general :;;;300.00;60.00;240.00;450.00;120.00;330.00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        const ProgramOutcome r = run({QStringLiteral("--report"), QStringLiteral("registru-pangar"),
                                      QStringLiteral("--csv"), folder.file(QStringLiteral("y.csv"))},
                                     QString::fromLatin1(c.locale));
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(fileLines(QStringLiteral("y.csv")).join('\n').toStdString(),
                  c.lines.join('\n').toStdString());
    }
}
