#include "CopiedProgramFixture.h"
#include "support/Documents.h"
#include "support/PdfPages.h"

#include <QFile>
#include <gtest/gtest.h>

namespace
{

// The program copied beside a database of 2024 holding the cash book's
// worked example and a few documents of income type 7 and expense type 34.
class BookCommandLine : public CopiedProgramFixture
{
protected:
    void SetUp() override
    {
        copyProgramBeside([](const QSqlDatabase& db) {
            Documents::setYear(db, 2024, 100, 7);
            Documents::receipt(db, 1, QStringLiteral("2024-01-03"), 50);
            Documents::payment(db, 2, QStringLiteral("2024-01-03"), 20);
            Documents::receipt(db, 3, QStringLiteral("2024-01-10"), 30);
            Documents::receipt(db, 4, QStringLiteral("2024-02-12"), 12.5, QStringLiteral("Banca"),
                               QStringLiteral("Donatie"), 7);
            Documents::payment(db, 5, QStringLiteral("2024-02-12"), 50, QStringLiteral("Banca"),
                               QStringLiteral("Tigla"), 34);
            Documents::payment(db, 6, QStringLiteral("2024-03-03"), 25, QStringLiteral("Casa"),
                               QStringLiteral("Tigla"), 34);
        });
    }
};

} // namespace

TEST_F(BookCommandLine, TheCashBookWritesItsDayLinesAndItsPdf)
{
    const QString csv = folder.file(QStringLiteral("casa.csv"));
    const QString pdf = folder.file(QStringLiteral("casa.pdf"));
    const ProgramOutcome r = run({"--report", "registru-casa", "--from", "2024-01-03", "--to", "31.01.2024",
                                  "--csv", csv, "--pdf", pdf});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err, QString());
    EXPECT_EQ(textFileLines(csv),
              QStringList({"Data;Nr crt;Tip doc.;Nr. doc.;Explicatii;Sold;Incasari;Ridicari;Plati;Depuneri",
                           "03.01.2024;;;;Sold ziua precedenta / Report :;100,00;100,00;0,00;0,00;0,00",
                           "03.01.2024;1;CHIT;1;Donatie;;50,00;0,00;0,00;0,00",
                           "03.01.2024;2;OP;2;Lumanari;;0,00;0,00;20,00;0,00",
                           "03.01.2024;;;;Sold final / De reportat :;130,00;150,00;0,00;20,00;0,00",
                           "10.01.2024;;;;Sold ziua precedenta / Report :;130,00;150,00;0,00;20,00;0,00",
                           "10.01.2024;3;CHIT;3;Donatie;;30,00;0,00;0,00;0,00",
                           "10.01.2024;;;;Sold final / De reportat :;160,00;180,00;0,00;20,00;0,00"}));
    const QList<PdfPage> pages = readPdfPages(pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_NEAR(pages[0].size.width(), 210, 1);
    EXPECT_TRUE(pages[0].texts.join(QLatin1Char('|')).contains(QStringLiteral("REGISTRU DE CASA")));
}

TEST_F(BookCommandLine, TheBankBookFollowsTheBankAccountOverTheWorkingYear)
{
    const QString csv = folder.file(QStringLiteral("banca.csv"));
    const ProgramOutcome r = run({"--report", "registru-banca", "--csv", csv});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(textFileLines(csv).mid(1),
              QStringList({"01.01.2024;;;;Sold ziua precedenta / Report :;0,00;0,00;0,00;0,00;0,00",
                           "01.01.2024;1;EXT;0;Sold in cont la inceputul anului;;7,00;0,00;0,00;0,00",
                           "01.01.2024;;;;Sold final / De reportat :;7,00;7,00;0,00;0,00;0,00",
                           "12.02.2024;;;;Sold ziua precedenta / Report :;7,00;7,00;0,00;0,00;0,00",
                           "12.02.2024;2;CHIT;4;Donatie;;12,50;0,00;0,00;0,00",
                           "12.02.2024;3;OP;5;Tigla;;0,00;0,00;50,00;0,00",
                           "12.02.2024;;;;Sold final / De reportat :;-30,50;19,50;0,00;50,00;0,00"}));
}

TEST_F(BookCommandLine, AnEmptyPeriodGivesTheHeaderLineAndAPageThatSaysSo)
{
    const QString csv = folder.file(QStringLiteral("gol.csv"));
    const QString pdf = folder.file(QStringLiteral("gol.pdf"));
    const ProgramOutcome r = run({"--report", "registru-casa", "--from", "2023-01-01", "--to", "2023-12-31",
                                  "--csv", csv, "--pdf", pdf});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err, QString());
    EXPECT_EQ(textFileLines(csv).size(), 1);
    const QList<PdfPage> pages = readPdfPages(pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_NEAR(pages[0].size.width(), 210, 1);
    const QString texts = pages[0].texts.join(QLatin1Char('|'));
    for (const char* line : {"Registru de casa", "de la data de 01.01.2023 pana la data de 31.12.2023",
                             "Nu exista date in aceasta perioada!"})
        EXPECT_TRUE(texts.contains(QString::fromLatin1(line))) << texts.toStdString();
}

TEST_F(BookCommandLine, TheLedgersTakeTheirTypeFromCode)
{
    struct Case {
        const char* report;
        const char* code;
        QStringList lines;
    };
    const QList<Case> cases{
        {"fisa-cheltuieli",
         "34",
         {"Data;Nr. actului;EXPLICATIA CHELTUIELILOR;SUMA;TOTAL CUMULAT", "12.02.2024;5;Tigla;50;50",
          "03.03.2024;6;Tigla;25;75"}},
        {"fisa-venituri",
         "7",
         {"Data;Nr. actului;EXPLICATIA VENITURILOR;SUMA;TOTAL CUMULAT", "12.02.2024;4;Donatie;12,5;12,5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.report);
        const QString csv = folder.file(QStringLiteral("%1.csv").arg(QString::fromLatin1(c.report)));
        const QString pdf = folder.file(QStringLiteral("%1.pdf").arg(QString::fromLatin1(c.report)));
        const ProgramOutcome r = run({"--report", c.report, "--code", c.code, "--from", "2024-02-01", "--to",
                                      "2024-03-31", "--csv", csv, "--pdf", pdf});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(textFileLines(csv), c.lines);
        EXPECT_EQ(readPdfPages(pdf).size(), 1);
    }
}

TEST_F(BookCommandLine, ACodeOutsideItsCatalogueOrMissingExitsWithTwo)
{
    const QString csv = folder.file(QStringLiteral("cod.csv"));
    struct Case {
        QStringList arguments;
        QString message;
    };
    const QList<Case> cases{
        {{"--report", "fisa-cheltuieli", "--code", "999", "--csv", csv},
         "Codul 999 nu exista in Tip_cheltuieli"},
        {{"--report", "fisa-cheltuieli", "--code", "7", "--csv", csv}, "Codul 7 nu exista in Tip_cheltuieli"},
        {{"--report", "fisa-venituri", "--code", "doi", "--csv", csv}, "Codul doi nu exista in Tip_venituri"},
        {{"--report", "fisa-venituri", "--csv", csv}, "Raportul fisa-venituri cere un cod"},
        {{"--report", "registru-casa", "--code", "7", "--csv", csv}, "Raportul registru-casa nu cere un cod"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const ProgramOutcome r = run(c.arguments);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.err.startsWith(c.message)) << r.err.toStdString();
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1);
        EXPECT_FALSE(QFile::exists(csv));
    }
}
