#include "CopiedProgramFixture.h"
#include "core/ProgramOptions.h"
#include "db/Sql.h"
#include "support/Documents.h"
#include "support/PdfPages.h"

#include <gtest/gtest.h>

namespace
{

void addParishioner(const QSqlDatabase& db, const QString& code, const QString& name, const QString& type)
{
    Sql::exec(db,
              QStringLiteral("INSERT INTO Enoriasi (Cod_enorias, Nume_prenume, Strada, Nr, Tip_contributie) "
                             "VALUES (:c, :n, 'Lunga', '1', :t)"),
              {{QStringLiteral(":c"), code}, {QStringLiteral(":n"), name}, {QStringLiteral(":t"), type}});
}

void addReceipt(const QSqlDatabase& db, const QString& code, double number, const QString& date, double value)
{
    Sql::exec(db,
              QStringLiteral(
                  "INSERT INTO Venituri (Nr_act, Data, Cod_venit, Cod_enorias, Valoarea, Fel, Explicatie) "
                  "VALUES (:nr, :d, 2, :c, :v, 'CHIT', 'Contributie')"),
              {{QStringLiteral(":nr"), number},
               {QStringLiteral(":d"), date},
               {QStringLiteral(":c"), code},
               {QStringLiteral(":v"), value}});
}

// The program copied beside a working year 2024 of three families, the
// whole contribution 125 lei, one receipt dated in the next year.
class ContributionCommandLine : public CopiedProgramFixture
{
protected:
    void SetUp() override
    {
        copyProgramBeside([](const QSqlDatabase& db) {
            Documents::setYear(db, 2024, {}, {});
            Sql::exec(db, QStringLiteral("UPDATE Parohia SET Val_contributie = 125"));
            addParishioner(db, QStringLiteral("9"), QStringLiteral("Pop Ion"), QStringLiteral("Jumatate"));
            addParishioner(db, QStringLiteral("10"), QStringLiteral("Ştefan Ana"),
                           QStringLiteral("Intreaga"));
            addParishioner(db, QStringLiteral("11"), QStringLiteral("Barbu Dan"), QStringLiteral("Intreaga"));
            addReceipt(db, QStringLiteral("9"), 1, QStringLiteral("2024-02-01"), 20);
            addReceipt(db, QStringLiteral("9"), 2, QStringLiteral("2024-05-01"), 10);
            addReceipt(db, QStringLiteral("11"), 3, QStringLiteral("2024-03-01"), 125);
            addReceipt(db, QStringLiteral("10"), 4, QStringLiteral("2025-01-05"), 25);
        });
    }
};

const char* const familyCsvHeader = "Nr. crt.;Nume si prenumele;Strada;Nr.;Tip;Contributia / Cuvenita;"
                                 "Contributia / Incasata;Contributia / Restanta";

} // namespace

TEST_F(ContributionCommandLine, EachReportWritesItsRowsWithTheCommandLineAnswers)
{
    struct Case {
        const char* name;
        QStringList arguments;
        QStringList lines;
    };
    const QList<Case> cases{
        {"situation at the end of the working year: alphabetical, with receipts",
         {"--report", "situatie-contributii"},
         {familyCsvHeader, "1;Barbu Dan;Lunga;1;Intreaga;125;125;0",
          ";3, 01.03.2024, CHIT, Contributie;;;;;125;", "2;Pop Ion;Lunga;1;Jumatate;62,5;30;32,5",
          ";1, 01.02.2024, CHIT, Contributie;;;;;20;", ";2, 01.05.2024, CHIT, Contributie;;;;;10;",
          "3;Ştefan Ana;Lunga;1;Intreaga;125;;125"}},
        {"situation at --to",
         {"--report", "situatie-contributii", "--to", "2024-02-29"},
         {familyCsvHeader, "1;Barbu Dan;Lunga;1;Intreaga;125;;125", "2;Pop Ion;Lunga;1;Jumatate;62,5;20;42,5",
          ";1, 01.02.2024, CHIT, Contributie;;;;;20;", "3;Ştefan Ana;Lunga;1;Intreaga;125;;125"}},
        {"arrears at the end of the working year",
         {"--report", "restante"},
         {familyCsvHeader, "1;Pop Ion;Lunga;1;Jumatate;62,5;30;32,5", "2;Ştefan Ana;Lunga;1;Intreaga;125;;125"}},
        {"arrears at --to 2025",
         {"--report", "restante", "--to", "2025-01-31"},
         {familyCsvHeader, "1;Pop Ion;Lunga;1;Jumatate;62,5;30;32,5",
          "2;Ştefan Ana;Lunga;1;Intreaga;125;25;100"}},
        {"contribution sheet of one family, every receipt",
         {"--report", "fisa-contributie", "--code", "9"},
         {"Chitante / Nr.;Chitante / Data;EXPLICATII;Contributia / Cuvenita;Contributia / Incasata;"
          "Contributia / Restanta",
          "1;01.02.2024;Contributie;62,5;20;42,5", "2;01.05.2024;Contributie;42,5;10;32,5"}},
        {"parishioner list, codes as text: 10, 11, 9",
         {"--report", "lista-enoriasi"},
         {"Nr. crt.;Nume si prenumele;Strada;Nr.", "1;Ştefan Ana;Lunga;1", "2;Barbu Dan;Lunga;1",
          "3;Pop Ion;Lunga;1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString csv = folder.file(QStringLiteral("raport.csv"));
        const QString pdf = folder.file(QStringLiteral("raport.pdf"));
        QFile::remove(csv);
        QFile::remove(pdf);
        const ProgramOutcome r = run(c.arguments + QStringList{"--csv", csv, "--pdf", pdf});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.err, QString());
        EXPECT_EQ(textFileLines(csv), c.lines);
        const QList<PdfPage> pages = readPdfPages(pdf);
        ASSERT_EQ(pages.size(), 1);
        EXPECT_NEAR(pages[0].size.width(), 210, 1);
        EXPECT_TRUE(pages[0].texts.join(QLatin1Char('|')).contains(QStringLiteral("Pagina  1")));
    }
}

TEST_F(ContributionCommandLine, TheCompoundNamesOptionOfTheProgramFolderIsRead)
{
    ProgramOptions options;
    options.compoundNames = true;
    options.writeStartupSwitches(folder.file(ProgramOptions::fileName));
    const QString csv = folder.file(QStringLiteral("restante.csv"));
    const ProgramOutcome r = run({"--report", "restante", "--csv", csv});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(textFileLines(csv), QStringList({familyCsvHeader, "1;Pop Ion (9);Lunga;1;Jumatate;62,5;30;32,5",
                                               "2;Ştefan Ana (10);Lunga;1;Intreaga;125;;125"}));
}

TEST_F(ContributionCommandLine, TheSheetWithoutAKnownCodeIsRefused)
{
    const QString csv = folder.file(QStringLiteral("fisa.csv"));
    for (const QStringList& code : {QStringList{}, QStringList{"--code", "77"}}) {
        const ProgramOutcome r = run(QStringList{"--report", "fisa-contributie", "--csv", csv} + code);
        EXPECT_NE(r.exitCode, 0);
        EXPECT_FALSE(r.err.isEmpty());
        EXPECT_FALSE(QFile::exists(csv));
    }
}

TEST_F(ContributionCommandLine, AReferenceDateReportTakesNoStartDate)
{
    const QString csv = folder.file(QStringLiteral("restante.csv"));
    const ProgramOutcome r = run({"--report", "restante", "--from", "2026-01-01", "--csv", csv});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("--to"))) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(csv));
}
