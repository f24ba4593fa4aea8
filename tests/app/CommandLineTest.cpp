#include "app/ProgramReports.h"
#include "db/Connection.h"
#include "printing/ReportCatalog.h"
#include "support/Documents.h"
#include "support/PdfPages.h"
#include "support/ProgramRun.h"
#include "support/TestFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

using Outcome = ProgramOutcome;

// The program copied into a test folder whose database holds a few
// documents of 2024: the command line works on the program folder's database.
class CommandLine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QSqlDatabase db = folder.openWorkingYear();
        Documents::setYear(db, 2024, 500, 1000);
        Documents::receipt(db, 1, QStringLiteral("2024-01-05"), 200);
        Documents::receipt(db, 2, QStringLiteral("2024-03-02"), 1234.5, QStringLiteral("Casa"),
                           QStringLiteral("Donatie; hram"));
        Documents::payment(db, 3, QStringLiteral("2024-03-03"), 150, QStringLiteral("Banca"));
        Connection::close();
        ASSERT_TRUE(QFile::copy(QStringLiteral(LUMIVARET_EXECUTABLE), program()));
    }

    QString program() const { return folder.file(QStringLiteral("Lumivaret")); }

    Outcome run(const QStringList& arguments, const QString& locale = QStringLiteral("ro_RO.UTF-8"),
                const QString& workingFolder = QDir::tempPath())
    {
        return runProgram(program(), arguments, locale, workingFolder);
    }

    QStringList csvLines(const QString& name) const { return textFileLines(folder.file(name)); }

    TestFolder folder;
};

const QString reportName = QStringLiteral("registru-incasari-plati");

} // namespace

TEST_F(CommandLine, ListsTheReportsByNameAndCaption)
{
    const Outcome r = run({QStringLiteral("--list-reports")});
    EXPECT_EQ(r.exitCode, 0);
    QString expected;
    for (const ReportEntry& entry : programReports().entries())
        expected += entry.name + QLatin1Char('\t') + entry.caption + QLatin1Char('\n');
    EXPECT_TRUE(
        expected.startsWith(QStringLiteral("registru-incasari-plati\tRaport registru incasari si plati\n")));
    EXPECT_EQ(r.out, expected);
    EXPECT_EQ(r.err, QString());
}

TEST_F(CommandLine, WritesThePdfAndTheCsvOfAPeriod)
{
    const Outcome r = run({QStringLiteral("--report"), reportName, QStringLiteral("--from"),
                           QStringLiteral("01.03.2024"), QStringLiteral("--to"), QStringLiteral("2024-03-31"),
                           QStringLiteral("--pdf"), folder.file(QStringLiteral("r.pdf")),
                           QStringLiteral("--csv"), folder.file(QStringLiteral("r.csv"))});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err, QString());

    const QList<PdfPage> pages = readPdfPages(folder.file(QStringLiteral("r.pdf")));
    ASSERT_EQ(pages.size(), 1);
    EXPECT_NEAR(pages[0].size.width(), 297, 1);
    EXPECT_GT(pages[0].glyphs.size(), 300);

    EXPECT_EQ(
        csvLines(QStringLiteral("r.csv")),
        QStringList({"Data;Documentul / Felul;Documentul / Nr.;Explicatii;Operatiuni prin casa / Incasari;"
                     "Operatiuni prin casa / Ridicari din cont;Operatiuni prin casa / Plati;Operatiuni prin "
                     "casa / Depuneri in cont;Operatiuni prin casa / Sold;Operatiuni prin cont / "
                     "Incasari;Operatiuni prin cont / Depuneri in cont;Operatiuni prin cont / "
                     "Plati;Operatiuni prin cont / Ridicari din cont;Operatiuni prin cont / Sold;Sold total "
                     "(9+14)",
                     "02.03.2024;CHIT;2;\"Donatie; hram\";1234,50;0,00;0,00;0,00;1934,50;0,00;0,00;0,00;0,"
                     "00;1000,00;2934,50",
                     "03.03.2024;OP;3;Lumanari;0,00;0,00;0,00;0,00;1934,50;0,00;0,00;150,00;0,00;850,00;"
                     "2784,50",
                     ";;;Total general :;1934,50;0,00;0,00;0,00;1934,50;1000,00;0,00;150,00;0,00;850,00;"
                     "2784,50"}));
}

TEST_F(CommandLine, TheCsvFollowsTheLocaleAndThePeriodDefaultsToTheWorkingYear)
{
    struct Case {
        const char* locale;
        const char* opening;
        const char* total;
    };
    for (const Case& c : {Case{"ro_RO.UTF-8", "01.01.2024;CHIT;0;Sold in casa la inceputul anului;500,00;",
                               ";;;Total general :;1934,50;0,00;0,00;0,00;1934,50;1000,00;0,00;"
                               "150,00;0,00;850,00;2784,50"},
                          Case{"en_US.UTF-8", "01/01/2024;CHIT;0;Sold in casa la inceputul anului;500.00;",
                               ";;;Total general :;1934.50;0.00;0.00;0.00;1934.50;1000.00;0.00;"
                               "150.00;0.00;850.00;2784.50"}}) {
        SCOPED_TRACE(c.locale);
        const Outcome r = run({QStringLiteral("--report"), reportName, QStringLiteral("--csv"),
                               folder.file(QStringLiteral("y.csv"))},
                              QString::fromLatin1(c.locale));
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QStringList lines = csvLines(QStringLiteral("y.csv"));
        ASSERT_EQ(lines.size(), 7); // header, two opening rows, three documents, total
        EXPECT_TRUE(lines[1].startsWith(QString::fromLatin1(c.opening))) << lines[1].toStdString();
        EXPECT_EQ(lines.last(), QString::fromLatin1(c.total));
    }
}

// A period without a document of its own still gives both files: the CSV its
// header line, the PDF one page with the report's title, its period and the
// line that says there is nothing in it.
TEST_F(CommandLine, AnEmptyPeriodGivesTheHeaderLineAndAPageThatSaysSo)
{
    struct Case {
        const char* report;
        const char* title;
        const char* reason;
    };
    for (const Case& c :
         {Case{"registru-incasari-plati", "Raport registru incasari si plati",
               "Nu exista documente in aceasta perioada."},
          Case{"registru-pangar", "Raport registru pangar", "Nu exista documente in aceasta perioada."}}) {
        SCOPED_TRACE(c.report);
        const QString csv = folder.file(QStringLiteral("e.csv"));
        const QString pdf = folder.file(QStringLiteral("e.pdf"));
        QFile::remove(csv);
        QFile::remove(pdf);
        const Outcome r =
            run({QStringLiteral("--report"), QString::fromLatin1(c.report), QStringLiteral("--from"),
                 QStringLiteral("2024-06-01"), QStringLiteral("--to"), QStringLiteral("2024-06-30"),
                 QStringLiteral("--csv"), csv, QStringLiteral("--pdf"), pdf});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.err, QString());
        EXPECT_EQ(textFileLines(csv).size(), 1);
        const QList<PdfPage> pages = readPdfPages(pdf);
        ASSERT_EQ(pages.size(), 1);
        const QString texts = pages[0].texts.join(QLatin1Char('|'));
        EXPECT_TRUE(texts.contains(QString::fromLatin1(c.title))) << texts.toStdString();
        EXPECT_TRUE(texts.contains(QStringLiteral("de la data de 01.06.2024 pana la data de 30.06.2024")))
            << texts.toStdString();
        EXPECT_TRUE(texts.contains(QString::fromLatin1(c.reason))) << texts.toStdString();
    }
}

// A spreadsheet opened on the file by a double click reads it as UTF-8 (the
// byte-order mark) and shows a text that looks like a formula as that text.
TEST_F(CommandLine, TheCsvOpensInASpreadsheetAsTheTextsAndNumbersItHolds)
{
    Connection::open(folder.databaseFile());
    Documents::receipt(Connection::database(), 4, QStringLiteral("2024-03-05"), 10, QStringLiteral("Casa"),
                       QStringLiteral("=HYPERLINK(\"http://exemplu.ro\";\"Click\")"));
    Documents::receipt(Connection::database(), 5, QStringLiteral("2024-03-06"), -2.5, QStringLiteral("Casa"),
                       QStringLiteral("-Strada Morii, ușă și țiglă"));
    Connection::close();
    const QString csv = folder.file(QStringLiteral("f.csv"));
    const Outcome r = run({QStringLiteral("--report"), QStringLiteral("registru-casa"),
                           QStringLiteral("--from"), QStringLiteral("2024-03-05"), QStringLiteral("--to"),
                           QStringLiteral("2024-03-06"), QStringLiteral("--csv"), csv});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_TRUE(lines.contains(QStringLiteral("05.03.2024;1;CHIT;4;\"'=HYPERLINK(\"\"http://"
                                              "exemplu.ro\"\";\"\"Click\"\")\";;10,00;0,00;0,00;0,00")))
        << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(lines.contains(
        QStringLiteral("06.03.2024;2;CHIT;5;'-Strada Morii, ușă și țiglă;;-2,50;0,00;0,00;0,00")))
        << lines.join(QLatin1Char('\n')).toStdString();
}

TEST_F(CommandLine, OutputFilesAreNamedRelativeToTheFolderTheCommandIsGivenIn)
{
    const QString elsewhere = folder.file(QStringLiteral("iesire"));
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    const Outcome r =
        run({QStringLiteral("--report"), reportName, QStringLiteral("--csv"), QStringLiteral("r.csv")},
            QStringLiteral("ro_RO.UTF-8"), elsewhere);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(elsewhere + QStringLiteral("/r.csv")));
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("r.csv"))));
}

TEST_F(CommandLine, BadArgumentsExitWithTwoAndOneLine)
{
    const QString csv = folder.file(QStringLiteral("bad.csv"));
    struct Case {
        QStringList arguments;
        QString message;
    };
    const QList<Case> cases{
        {{"--report", "registru-necunoscut", "--csv", csv}, "Raport necunoscut: \"registru-necunoscut\""},
        {{"--report", reportName, "--from", "2024-02-30", "--csv", csv}, "Data gresita: \"2024-02-30\""},
        {{"--report", reportName, "--to", "31.02.2024", "--csv", csv}, "Data gresita: \"31.02.2024\""},
        {{"--report", reportName, "--from", "1/3/2024", "--csv", csv}, "Data gresita: \"1/3/2024\""},
        {{"--report", reportName}, "Lipseste fisierul rezultat"},
        {{"--report", reportName, "--code", "34", "--csv", csv},
         "Raportul registru-incasari-plati nu cere un cod"},
        {{"--report", reportName, "--from", "2024-04-01", "--to", "2024-03-01", "--csv", csv},
         "Perioada gresita"},
        {{"--report", reportName, "--culoare", "--csv", csv}, "Optiune necunoscuta: --culoare"},
        {{"--report", reportName, "-x", "--csv", csv}, "Optiune necunoscuta: -x"},
        {{"--csv", csv, "--report"}, "Lipseste valoarea optiunii --report"},
        {{"--report", reportName, "--list-reports=da", "--csv", csv}, "Argumente gresite: --report"},
        // Alone, without a display: refused before any window would open.
        {{"--culoare"}, "Optiune necunoscuta: --culoare"},
        {{"-x"}, "Optiune necunoscuta: -x"},
        {{"--pdf", csv}, "--pdf merge doar cu --report NUME"},
        {{"--from", "01.03.2024"}, "--from merge doar cu --report NUME"},
        {{"--folder"}, "Lipseste valoarea optiunii --folder"},
        {{"registru-casa"}, "Argument necunoscut: registru-casa"},
        {{"--json", csv}, "--json merge doar cu --export-person COD"},
        {{"--export-person", "P1"}, "--export-person cere --json FISIER"},
        {{"--export-person", "P1", "--report", reportName, "--csv", csv}, "--export-person merge doar cu --json"},
        {{"--with-personal-data"}, "--with-personal-data merge doar cu --report NUME"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const Outcome r = run(c.arguments);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.err.startsWith(c.message)) << r.err.toStdString();
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1);
        EXPECT_EQ(r.out, QString());
        EXPECT_FALSE(QFile::exists(csv));
    }
}

// Both answer without a display and without opening the database.
TEST_F(CommandLine, HelpListsEveryOptionAndVersionPrintsTheBuildsVersion)
{
    QFile::remove(folder.databaseFile());
    const Outcome help = run({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
    EXPECT_EQ(help.err, QString());
    for (const char* option : {"--folder DOSAR", "--list-reports", "--report NUME", "--from DATA", "--to DATA",
                               "--code COD", "--pdf FISIER", "--csv FISIER", "--import DOSAR", "--replace",
                               "--verify-journal", "--export-person COD", "--json FISIER", "--with-personal-data",
                               "--server ADRESA", "--protect", "--password-file FISIER", "--help", "--version",
                               "LUMIVARET_FOLDER", "LUMIVARET_PASSWORD"})
        EXPECT_TRUE(help.out.contains(QString::fromLatin1(option))) << option;
    EXPECT_EQ(run({QStringLiteral("-h")}).out, help.out);

    const Outcome version = run({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QStringLiteral("Lumivaret %1\n").arg(QStringLiteral(LUMIVARET_VERSION)));
    EXPECT_EQ(version.err, QString());
}

// The data named by --folder; an installed program (in a "bin" folder) takes
// LUMIVARET_FOLDER, else ~/Lumivaret; a copy in a folder of its own, its folder.
TEST_F(CommandLine, TheDataFolderIsTheNamedOneOrTheInstalledProgramsOwn)
{
    QTemporaryDir elsewhere;
    const QString data = elsewhere.filePath(QStringLiteral("date"));
    const QString home = elsewhere.filePath(QStringLiteral("acasa"));
    const QString bin = elsewhere.filePath(QStringLiteral("usr/bin"));
    for (const QString& dir : {data, home + QStringLiteral("/Lumivaret"), bin})
        ASSERT_TRUE(QDir().mkpath(dir));
    ASSERT_TRUE(QFile::copy(folder.databaseFile(), data + QStringLiteral("/BazaDate.sqlite")));
    ASSERT_TRUE(QFile::copy(folder.databaseFile(), home + QStringLiteral("/Lumivaret/BazaDate.sqlite")));
    ASSERT_TRUE(QFile::copy(program(), bin + QStringLiteral("/lumivaret")));
    QFile::remove(folder.databaseFile()); // the copy's own folder now holds no data
    const QString missing = elsewhere.filePath(QStringLiteral("lipsa"));

    const struct {
        const char* what;
        QString program;
        QStringList folderOption;
        EnvironmentChanges environment;
        int exitCode;
    } cases[] = {
        {"a copy in its own folder, named elsewhere", program(), {"--folder", data}, {}, 0},
        {"a copy in its own folder takes no variable", program(), {}, {{"LUMIVARET_FOLDER", data}}, 1},
        {"installed, with the variable", bin + "/lumivaret", {}, {{"LUMIVARET_FOLDER", data}, {"HOME", missing}}, 0},
        {"installed, in the home folder", bin + "/lumivaret", {}, {{"HOME", home}}, 0},
        {"installed, the option before the variable",
         bin + "/lumivaret",
         {"--folder", data},
         {{"LUMIVARET_FOLDER", missing}, {"HOME", missing}},
         0},
        {"installed, nothing there", bin + "/lumivaret", {}, {{"HOME", missing}}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString csv = elsewhere.filePath(QStringLiteral("r.csv"));
        QFile::remove(csv);
        const Outcome r = runProgram(
            c.program, c.folderOption + QStringList{QStringLiteral("--report"), reportName, QStringLiteral("--csv"), csv},
            QStringLiteral("ro_RO.UTF-8"), QDir::tempPath(), c.environment);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();
        EXPECT_EQ(QFile::exists(csv), c.exitCode == 0);
    }
}

TEST_F(CommandLine, ADatabaseFailureExitsWithOne)
{
    QFile::remove(folder.databaseFile());
    const Outcome r = run({QStringLiteral("--report"), reportName, QStringLiteral("--csv"),
                           folder.file(QStringLiteral("x.csv"))});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("x.csv"))));
}

TEST_F(CommandLine, AChartIsWrittenAsItsPdfPageAndItsFiguresWithoutADisplay)
{
    const Outcome r = run({QStringLiteral("--report"), QStringLiteral("grafic-lunar"), QStringLiteral("--from"),
                           QStringLiteral("01.01.2024"), QStringLiteral("--to"), QStringLiteral("31.03.2024"),
                           QStringLiteral("--pdf"), folder.file(QStringLiteral("g.pdf")),
                           QStringLiteral("--csv"), folder.file(QStringLiteral("g.csv"))});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err, QString());
    const QList<PdfPage> pages = readPdfPages(folder.file(QStringLiteral("g.pdf")));
    ASSERT_EQ(pages.size(), 1);
    EXPECT_NEAR(pages[0].size.width(), 297, 1);
    EXPECT_TRUE(pages[0].texts.contains(QStringLiteral("Incasari si plati pe luni, 01.01.2024 - 31.03.2024")))
        << pages[0].texts.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(csvLines(QStringLiteral("g.csv")),
              QStringList({"Luna;Incasari;Plati", "01.2024;200,00;0,00", "02.2024;0,00;0,00",
                           "03.2024;1234,50;150,00"}));
}
