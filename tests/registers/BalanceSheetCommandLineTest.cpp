#include "BalanceSheetRows.h"
#include "db/Connection.h"
#include "support/Documents.h"
#include "support/PdfPages.h"
#include "support/ProgramRun.h"
#include "support/TestFolder.h"

#include <QFile>
#include <gtest/gtest.h>

namespace
{

// The program copied into a test folder whose database holds the delivered
// nomenclature, an opening balance of 1500 and donations (type 7) of 1000 on
// 31 January, 2345.67 on 1 February and 4000 on 1 April 2024.
class BalanceSheetCommandLine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QSqlDatabase db = folder.openWorkingYear();
        Documents::setYear(db, 2024, 500, 1000);
        Documents::receipt(db, 1, QStringLiteral("2024-01-31"), 1000, QStringLiteral("Casa"), {}, 7);
        Documents::receipt(db, 2, QStringLiteral("2024-02-01"), 2345.67, QStringLiteral("Casa"), {}, 7);
        Documents::receipt(db, 3, QStringLiteral("2024-04-01"), 4000, QStringLiteral("Casa"), {}, 7);
        Connection::close();
        ASSERT_TRUE(QFile::copy(QStringLiteral(LUMIVARET_EXECUTABLE), program()));
    }

    QString program() const { return folder.file(QStringLiteral("Lumivaret")); }

    ProgramOutcome run(const QString& report, const QStringList& more)
    {
        return runProgram(program(), QStringList{QStringLiteral("--report"), report} + more);
    }

    // The CSV lines of the rows numbered `number`.
    QStringList rowsNumbered(const QString& name, int number) const
    {
        QFile file(folder.file(name));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList found;
        for (const QString& line :
             QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            if (line.startsWith(QString::number(number) + QLatin1Char(';')))
                found << line;
        return found;
    }

    // The balance table as the database file holds it.
    QString storedBalance()
    {
        const QSqlDatabase db = folder.openWorkingYear();
        const QString picture = BalanceSheetRows::snapshot(db);
        Connection::close();
        return picture;
    }

    TestFolder folder;
};

} // namespace

TEST_F(BalanceSheetCommandLine, TheFourLayoutsAreListed)
{
    const ProgramOutcome r = runProgram(program(), {QStringLiteral("--list-reports")});
    EXPECT_EQ(r.exitCode, 0);
    const QStringList lines = r.out.split(QLatin1Char('\n'));
    for (const char* line :
         {"bilant-v1\tBilant v1 - executie", "bilant-v2\tBilant v2 - executie",
          "bilant-v1-prevederi\tBilant v1 - prevederi", "bilant-v2-prevederi\tBilant v2 - prevederi"})
        EXPECT_TRUE(lines.contains(QString::fromLatin1(line))) << line;
}

TEST_F(BalanceSheetCommandLine, ThePeriodIsComputedFirstThenPrintedWithItsCover)
{
    struct Case {
        QStringList period;
        const char *opening, *donations, *total;
    };
    const QList<Case> cases{
        {{"--from", "01.02.2024", "--to", "2024-03-31"},
         "1;Sold la inceputul anului (casa si banca);;0,00",
         "7;Donatii;;2345,67",
         "21;TOTAL DISPONIBIL;-;2345,67"},
        {{},
         "1;Sold la inceputul anului (casa si banca);;1500,00",
         "7;Donatii;;7345,67",
         "21;TOTAL DISPONIBIL;-;8845,67"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.period.join(' ').toStdString());
        const ProgramOutcome r =
            run(QStringLiteral("bilant-v1"),
                c.period + QStringList{"--csv", folder.file("b.csv"), "--pdf", folder.file("b.pdf")});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.err, QString());
        EXPECT_EQ(rowsNumbered(QStringLiteral("b.csv"), 1), QStringList({c.opening}));
        EXPECT_EQ(rowsNumbered(QStringLiteral("b.csv"), 7), QStringList({c.donations}));
        EXPECT_EQ(rowsNumbered(QStringLiteral("b.csv"), 21), QStringList({c.total}));
        const QList<PdfPage> pages = readPdfPages(folder.file(QStringLiteral("b.pdf")));
        ASSERT_GE(pages.size(), 3);
        EXPECT_TRUE(pages[0].texts.join(' ').contains(QStringLiteral("BUGET DE VENITURI SI CHELTUIELI")));
    }
    // The forecast layouts print the forecasts; the second layout breaks after row 21.
    const ProgramOutcome r = run(QStringLiteral("bilant-v2-prevederi"),
                                 {"--csv", folder.file("p.csv"), "--pdf", folder.file("p.pdf")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(rowsNumbered(QStringLiteral("p.csv"), 7), QStringList({"7;Donatii;;0,00"}));
    const QList<PdfPage> pages = readPdfPages(folder.file(QStringLiteral("p.pdf")));
    ASSERT_EQ(pages.size(), 3);
    EXPECT_TRUE(pages[2].texts.join(' ').contains(QStringLiteral("CHELTUIELI")));
}

TEST_F(BalanceSheetCommandLine, TheThousandsOptionOfTheOptionsFileIsHonoured)
{
    folder.write(QStringLiteral("Configurari.ini"), "[Options]\r\nCalcul bilant in mii lei=1\r\n");
    const ProgramOutcome r = run(QStringLiteral("bilant-v2"), {"--csv", folder.file("k.csv")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(rowsNumbered(QStringLiteral("k.csv"), 7), QStringList({"7;Donatii;;7,35"}));
    EXPECT_EQ(rowsNumbered(QStringLiteral("k.csv"), 1),
              QStringList({"1;Sold la inceputul anului (casa si banca);;1,50"}));
}

TEST_F(BalanceSheetCommandLine, ARefusedFormulaOrAnEndBeforeTheStartChangesNothing)
{
    {
        const QSqlDatabase db = folder.openWorkingYear();
        BalanceSheetRows::replace(
            db, {{1, "Sold", {}, 5}, {7, "Donatii"}, {20, "Total", "1+7; DROP TABLE Bilant"}});
        Connection::close();
    }
    const QString before = storedBalance();
    struct Case {
        QStringList arguments;
        int exitCode;
        const char* message;
    };
    const QList<Case> cases{
        {{"--from", "01.02.2024"}, 1, "Eroare de acces la tabela bilant! Formula randului 20"},
        {{"--from", "01.04.2024", "--to", "31.03.2024"}, 2, "Perioada gresita"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const ProgramOutcome r =
            run(QStringLiteral("bilant-v1"), c.arguments + QStringList{"--pdf", folder.file("x.pdf")});
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(r.err.startsWith(QString::fromLatin1(c.message))) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("x.pdf"))));
        EXPECT_EQ(storedBalance(), before);
    }
}
