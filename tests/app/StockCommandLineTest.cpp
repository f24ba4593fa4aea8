#include "catalogues/StockItems.h"
#include "db/Connection.h"
#include "support/Documents.h"
#include "support/PdfPages.h"
#include "support/ProgramRun.h"
#include "support/TestFolder.h"

#include <QFile>
#include <gtest/gtest.h>

namespace
{

// The program copied beside a working year 2024 that holds four goods, one
// of them gone in June and one come in December.
class StockCommandLine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QSqlDatabase db = folder.openWorkingYear();
        Documents::setYear(db, 2024, {}, {});
        setParishForStockList(db);
        StockItem{QStringLiteral("Sfesnic"), QStringLiteral("argint"), 3, QStringLiteral("buc"), 12.5}.store(
            db);
        StockItem{QStringLiteral("Candela"), {}, 2, QStringLiteral("buc"), 40, QDate(2024, 2, 1)}.store(db);
        StockItem{QStringLiteral("Covor"), {}, 1, QStringLiteral("mp"), 300, {}, QDate(2024, 6, 15)}.store(
            db);
        StockItem{QStringLiteral("Tava"), {}, 4, QStringLiteral("buc"), 7, QDate(2024, 12, 20)}.store(db);
        Connection::close();
        ASSERT_TRUE(QFile::copy(QStringLiteral(LUMIVARET_EXECUTABLE), program()));
    }

    QString program() const { return folder.file(QStringLiteral("Lumivaret")); }

    TestFolder folder;
};

const QString header = QStringLiteral("Nr crt;Denumire;Cantitate;U.M.;Pret;Valoare");

} // namespace

TEST_F(StockCommandLine, WritesTheListOfTheDateGivenOrOfTheWorkingYearsEnd)
{
    const struct {
        const char* name;
        QStringList dateArguments;
        QStringList lines;
        const char* total;
    } cases[] = {
        {"on the day the carpet left",
         {"--to", "15.06.2024"},
         {header, "1;Candela;2,00;buc;40,00;80,00", "2;Sfesnic - argint;3,00;buc;12,50;37,50"},
         "117,50"},
        {"the day before, in ISO form",
         {"--to", "2024-06-14"},
         {header, "1;Candela;2,00;buc;40,00;80,00", "2;Covor;1,00;mp;300,00;300,00",
          "3;Sfesnic - argint;3,00;buc;12,50;37,50"},
         "417,50"},
        {"without --to: 31 December of the working year",
         {},
         {header, "1;Candela;2,00;buc;40,00;80,00", "2;Sfesnic - argint;3,00;buc;12,50;37,50",
          "3;Tava;4,00;buc;7,00;28,00"},
         "145,50"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(folder.file(QStringLiteral("s.csv")));
        QFile::remove(folder.file(QStringLiteral("s.pdf")));
        const ProgramOutcome r = runProgram(
            program(), QStringList{QStringLiteral("--report"), QStringLiteral("stoc")} + c.dateArguments +
                           QStringList{QStringLiteral("--csv"), folder.file(QStringLiteral("s.csv")),
                                       QStringLiteral("--pdf"), folder.file(QStringLiteral("s.pdf"))});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.err, QString());
        EXPECT_EQ(textFileLines(folder.file(QStringLiteral("s.csv"))), c.lines);
        const QList<PdfPage> pages = readPdfPages(folder.file(QStringLiteral("s.pdf")));
        ASSERT_EQ(pages.size(), 1);
        EXPECT_TRUE(pages[0].texts.contains(QString::fromLatin1(c.total)))
            << pages[0].texts.join(QLatin1Char('|')).toStdString();
    }
}

TEST_F(StockCommandLine, TheListTakesOnlyADate)
{
    const ProgramOutcome r =
        runProgram(program(), {QStringLiteral("--report"), QStringLiteral("stoc"), QStringLiteral("--from"),
                               QStringLiteral("01.01.2024"), QStringLiteral("--csv"),
                               folder.file(QStringLiteral("s.csv"))});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, QStringLiteral("Raportul stoc cere doar data de referinta: --to DATA\n"));
}
