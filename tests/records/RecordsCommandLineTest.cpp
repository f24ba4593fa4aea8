#include "ParishRecords.h"
#include "db/Connection.h"
#include "support/PdfPages.h"
#include "support/ProgramRun.h"
#include "support/TestFolder.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace ParishRecords;

namespace
{

// The program copied beside a working year of two families.
class RecordsCommandLine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QSqlDatabase db = folder.openWorkingYear();
        addParishioner(db, QStringLiteral("P1"), QStringLiteral("Popescu Ion"));
        addMember(db, QStringLiteral("P1"), QStringLiteral("Popescu Ion"), QDate(1970, 5, 1));
        addMember(db, QStringLiteral("P1"), QStringLiteral("Popescu; \"Maria\""), QDate(1972, 3, 9));
        addParishioner(db, QStringLiteral("A7"), QStringLiteral("Avram Elena"));
        addMember(db, QStringLiteral("A7"), QStringLiteral("Avram Elena"), QDate(1980, 1, 2));
        addBaptism(db, QStringLiteral("A7"), 3, QDate(2024, 3, 1), QStringLiteral("Luca"));
        Connection::close();
        ASSERT_TRUE(QFile::copy(QStringLiteral(LUMIVARET_EXECUTABLE), program()));
    }

    QString program() const { return folder.file(QStringLiteral("Lumivaret")); }
    ProgramOutcome run(const QStringList& arguments) const { return runProgram(program(), arguments); }

    TestFolder folder;
};

const QString membersHeader = QStringLiteral("Cod enorias;Familia;Nr crt.;Numele si prenumele;Data nasterii;"
                                             "Data casatoriei;Data mortii;Starea civila;Confesiunea;Ocupatia;"
                                             "Observatii");

} // namespace

TEST_F(RecordsCommandLine, TheFamilySheetIsOneFamilyByItsCodeOrEveryFamilyWithoutOne)
{
    struct Case {
        const char* name;
        QStringList code;
        QStringList lines;
    };
    const QString popescu1 =
        QStringLiteral("P1;Familia Popescu Ion;1;Popescu Ion;01.05.1970;;;Casatorit/a;Ortodoxa;;");
    const QString popescu2 = QStringLiteral(
        "P1;Familia Popescu Ion;2;\"Popescu; \"\"Maria\"\"\";09.03.1972;;;Casatorit/a;Ortodoxa;;");
    const QString avram =
        QStringLiteral("A7;Familia Avram Elena;1;Avram Elena;02.01.1980;;;Casatorit/a;Ortodoxa;;");
    for (const Case& c : QList<Case>{{"P1", {"--code", "P1"}, {membersHeader, popescu1, popescu2}},
                                     {"toate", {}, {membersHeader, avram, popescu1, popescu2}}}) {
        SCOPED_TRACE(c.name);
        const QString csv = folder.file(QStringLiteral("foi-%1.csv").arg(c.name));
        const QString pdf = folder.file(QStringLiteral("foi-%1.pdf").arg(c.name));
        const ProgramOutcome r =
            run(QStringList{"--report", "fisa-familie", "--csv", csv, "--pdf", pdf} + c.code);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(textFileLines(csv), c.lines);
        const QList<PdfPage> pages = readPdfPages(pdf);
        ASSERT_EQ(pages.size(), c.code.isEmpty() ? 2 : 1);
        EXPECT_NEAR(pages[0].size.width(), 297, 1);
    }
}

TEST_F(RecordsCommandLine, TheRecordCardAndTheBaptismRegisterArePrinted)
{
    const QString card = folder.file(QStringLiteral("fisa.pdf"));
    ProgramOutcome r = run({"--report", "fisa-evidenta", "--code", "A7", "--pdf", card});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    QList<PdfPage> pages = readPdfPages(card);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].texts.join('|').contains(QStringLiteral("Botezuri")));

    const QString csv = folder.file(QStringLiteral("botezuri.csv"));
    r = run({"--report", "registru-botezati", "--csv", csv});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_EQ(textFileLines(csv).size(), 2);
    EXPECT_EQ(textFileLines(csv)[1], QStringLiteral("1;3/01.03.2024;01.03.2024;;Luca;X;;;;Pr. Vasile;;"));
}

TEST_F(RecordsCommandLine, AnUnknownCodeACardCsvOrADateAreRefusedWithoutWritingAFile)
{
    struct Case {
        const char* name;
        QStringList arguments;
        QString message;
    };
    const QString out = folder.file(QStringLiteral("refuzat.csv"));
    for (const Case& c : QList<Case>{{"cod",
                                      {"--report", "fisa-familie", "--code", "X9", "--csv", out},
                                      "Codul X9 nu exista in Enoriasi"},
                                     {"csv",
                                      {"--report", "fisa-evidenta", "--csv", out},
                                      "Raportul fisa-evidenta nu se exporta in CSV"},
                                     {"data",
                                      {"--report", "registru-decedati", "--to", "2024-12-31", "--csv", out},
                                      "Raportul registru-decedati nu cere o perioada"}}) {
        SCOPED_TRACE(c.name);
        const ProgramOutcome r = run(c.arguments);
        EXPECT_NE(r.exitCode, 0);
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
}
