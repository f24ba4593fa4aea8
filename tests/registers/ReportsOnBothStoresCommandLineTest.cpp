#include "CopiedProgramFixture.h"
#include "db/Connection.h"
#include "db/Sql.h"
#include "support/Documents.h"
#include "support/TestServer.h"

#include <gtest/gtest.h>
#include <optional>

namespace
{

// A year of a few documents of every kind, written the same way to any store.
void fillYear(const QSqlDatabase& db)
{
    Documents::setYear(db, 2024, 100, 700);
    Documents::receipt(db, 1, QStringLiteral("2024-01-03"), 50);
    Documents::payment(db, 2, QStringLiteral("2024-01-03"), 20);
    Documents::receipt(db, 3, QStringLiteral("2024-01-10"), 30.25, QStringLiteral("Casa"),
                       QString::fromUtf8("Donație Ștefănescu"), 7);
    Documents::receipt(db, 4, QStringLiteral("2024-02-12"), 12.5, QStringLiteral("Banca"),
                       QStringLiteral("Donatie"), 7);
    Documents::payment(db, 5, QStringLiteral("2024-02-12"), 50, QStringLiteral("Banca"), QStringLiteral("Tigla"),
                       34);
    Documents::deposit(db, 6, QStringLiteral("2024-02-20"), 40);
    Documents::withdrawal(db, 7, QStringLiteral("2024-03-01"), 15);
    Documents::payment(db, 8, QStringLiteral("2024-03-03"), 25, QStringLiteral("Casa"), QStringLiteral("Tigla"),
                       34);
    // Names whose order needs the Romanian alphabet, the cedilla forms among them.
    const char* const parishioners[][2] = {
        {"P1", "Țurcanu Ion"}, {"P2", "Stan Ana"}, {"P3", "Ştefan Maria"}, {"P4", "Ăvram Dan"},
        {"P5", "Avram Ilie"},  {"P6", "Ștefan Alin"}, {"P7", "Îonescu Vasile"}, {"P8", "Tudor Elena"},
    };
    for (const char* const item : {"Lumanari", "Carti", "Icoane"})
        Sql::exec(db,
                  QStringLiteral("INSERT INTO Stoc (Denumire, Cantitate, UM, Pret, DataIn) "
                                 "VALUES (:d, 10, 'buc', 2.5, '2024-02-01')"),
                  {{QStringLiteral(":d"), QString::fromLatin1(item)}});
    for (const auto& [code, name] : parishioners)
        Sql::exec(db,
                  QStringLiteral("INSERT INTO Enoriasi (Cod_enorias, Nume_prenume, Strada, Nr, Tip_contributie) "
                                 "VALUES (:c, :n, 'Unirii', '1', 'Intreaga')"),
                  {{QStringLiteral(":c"), QString::fromLatin1(code)}, {QStringLiteral(":n"), QString::fromUtf8(name)}});
}

// The same year in the program folder's database file and on a PostgreSQL
// server; the copied program writes each report from both.
class ReportsOnBothStores : public CopiedProgramFixture
{
protected:
    void SetUp() override
    {
        SKIP_WITHOUT_TEST_SERVER();
        copyProgramBeside(fillYear);
        server.emplace();
        fillYear(server->openWorkingYear());
        Connection::close();
    }

    void TearDown() override { server.reset(); }

    std::optional<TestServerDatabase> server;
};

} // namespace

TEST_F(ReportsOnBothStores, GiveTheSameCsvFromTheFileAndFromTheServer)
{
    const QStringList year = {"--from", "01.01.2024", "--to", "31.12.2024"};
    const QList<QStringList> reports = {
        QStringList{"registru-casa"} + year,
        QStringList{"registru-banca"} + year,
        QStringList{"registru-incasari-plati"} + year,
        QStringList{"registru-pangar"} + year,
        QStringList{"bilant-v1"} + year,
        QStringList{"bilant-v2-prevederi"} + year,
        QStringList{"fisa-venituri", "--code", "7"} + year,
        QStringList{"fisa-cheltuieli", "--code", "34"} + year,
        QStringList{"lista-enoriasi"},
        QStringList{"situatie-contributii", "--to", "31.12.2024"},
        QStringList{"stoc", "--to", "31.12.2024"},
        QStringList{"grafic-lunar"} + year,
        QStringList{"grafic-venituri"} + year,
        QStringList{"grafic-cheltuieli"} + year,
        QStringList{"grafic-contributii"} + year,
    };
    for (const QStringList& report : reports) {
        SCOPED_TRACE(report.join(QLatin1Char(' ')).toStdString());
        const QStringList arguments = QStringList{"--report"} + report + QStringList{"--csv"};
        const ProgramOutcome fromFile = run(arguments + QStringList{folder.file(QStringLiteral("file.csv"))});
        ASSERT_EQ(fromFile.exitCode, 0) << fromFile.err.toStdString();
        const ProgramOutcome fromServer = run(arguments + QStringList{folder.file(QStringLiteral("server.csv")),
                                                                      "--server", server->address()});
        ASSERT_EQ(fromServer.exitCode, 0) << fromServer.err.toStdString();
        const QStringList lines = fileLines(QStringLiteral("file.csv"));
        EXPECT_GT(lines.size(), 2);
        EXPECT_EQ(fileLines(QStringLiteral("server.csv")), lines);
    }
}

// An installation whose options file names the server: a report of the
// command line, given no --server, shows the server's data, not the file's.
TEST_F(ReportsOnBothStores, AnOptionsFileNamingTheServerReportsFromTheServer)
{
    Connection::openServer(server->address());
    Sql::exec(Connection::database(),
              QStringLiteral("INSERT INTO Enoriasi (Cod_enorias, Nume_prenume, Strada, Nr, Tip_contributie) "
                             "VALUES ('P9', 'Zamfir Server', 'Unirii', '2', 'Intreaga')"));
    Connection::close();
    const QStringList arguments = {"--report", "lista-enoriasi", "--csv",
                                   folder.file(QStringLiteral("lista.csv"))};
    const ProgramOutcome fromFile = run(arguments);
    ASSERT_EQ(fromFile.exitCode, 0) << fromFile.err.toStdString();
    EXPECT_FALSE(
        fileLines(QStringLiteral("lista.csv")).join(QLatin1Char(' ')).contains(QStringLiteral("Zamfir")));

    folder.write(QStringLiteral("Configurari.ini"), "[Server]\nAdresa=" + server->address().toUtf8() + "\n");
    const ProgramOutcome fromServer = run(arguments);
    ASSERT_EQ(fromServer.exitCode, 0) << fromServer.err.toStdString();
    EXPECT_TRUE(fileLines(QStringLiteral("lista.csv"))
                    .join(QLatin1Char(' '))
                    .contains(QStringLiteral("Zamfir Server")));
}

TEST(ServerOption, GoesOnlyWithAReport)
{
    const ProgramOutcome r =
        runProgram(QStringLiteral(LUMIVARET_EXECUTABLE), {"--server", "postgresql://ion@localhost/parohie"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.trimmed(), QStringLiteral("--server merge doar cu --report NUME"));
}
