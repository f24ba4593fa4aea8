#include "db/DatabaseLocation.h"
#include "core/ProgramFolder.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"
#include "support/TestServer.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QUrl>
#include <gtest/gtest.h>

namespace
{

QByteArray contentsOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int openYear()
{
    return Sql::scalar(Connection::database(), QStringLiteral("SELECT An_lucru FROM Parohia")).toInt();
}

} // namespace

TEST(DatabaseLocation, FirstStartCreatesTheWorkingYearsDatabase)
{
    TestFolder folder;
    EXPECT_FALSE(QFile::exists(folder.databaseFile()));
    DatabaseLocation::instance().openWorkingYear();
    EXPECT_TRUE(QFile::exists(folder.databaseFile()));
    EXPECT_FALSE(QFile::exists(folder.databaseFile() + QStringLiteral(".new")));
    EXPECT_EQ(openYear(), QDate::currentDate().year());
    EXPECT_EQ(DatabaseLocation::instance().currentFolder(), folder.path());
    EXPECT_TRUE(DatabaseLocation::instance().knownYears().isEmpty()); // no Ani before the first rollover
}

TEST(DatabaseLocation, AFileThatIsNotADatabaseIsReportedAndLeftUntouched)
{
    TestFolder folder;
    const QByteArray text = "registrul de casa scris de mana\n";
    folder.write(DatabaseLocation::databaseFileName, text);
    try {
        DatabaseLocation::instance().openWorkingYear();
        FAIL() << "a text file was opened as the database";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("Fisierul nu este o baza de date")))
            << e.text().toStdString();
    }
    EXPECT_FALSE(Connection::isOpen());
    EXPECT_EQ(contentsOf(folder.databaseFile()), text);
}

TEST(DatabaseLocation, ANewDatabaseCannotBeCreatedWhereNoFolderCanBe)
{
    TestFolder folder;
    // A program folder under a plain file can hold nothing, even for root.
    folder.write(QStringLiteral("blocat"), "x");
    setProgramFolder(folder.file(QStringLiteral("blocat/Parohie")));
    try {
        DatabaseLocation::instance().openWorkingYear();
        FAIL() << "a database was created in a folder that cannot exist";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("Baza de date nu poate fi creata in")))
            << e.text().toStdString();
    }
    EXPECT_FALSE(Connection::isOpen());
}

TEST(DatabaseLocation, SwitchesBetweenTheWorkingYearAndClosedYears)
{
    TestFolder folder;
    folder.openWorkingYear();
    folder.closeYear(2022);
    folder.closeYear(2023);
    Sql::exec(Connection::database(), QStringLiteral("INSERT INTO Ani VALUES (2024)"));
    DatabaseLocation& location = DatabaseLocation::instance();
    EXPECT_EQ(location.knownYears(), QList<int>({2022, 2023, 2024}));

    QSignalSpy changes(&location, &DatabaseLocation::closedYearChanged);
    ASSERT_TRUE(location.switchToYear(QStringLiteral("2023"), false).ok);
    EXPECT_TRUE(location.isClosedYearOpen());
    EXPECT_EQ(openYear(), 2023);
    EXPECT_EQ(location.currentFolder(), folder.path() + QStringLiteral("2023/"));
    // The list of years is always the program folder's.
    EXPECT_EQ(location.knownYears(), QList<int>({2022, 2023, 2024}));

    ASSERT_TRUE(location.switchToYear(QStringLiteral("2024"), true).ok);
    EXPECT_FALSE(location.isClosedYearOpen());
    EXPECT_EQ(openYear(), 2024);
    ASSERT_EQ(changes.count(), 2);
    EXPECT_TRUE(changes.at(0).at(0).toBool());
    EXPECT_FALSE(changes.at(1).at(0).toBool());
}

TEST(DatabaseLocation, RefusesYearsWithoutADatabaseAndStaysWhereItWas)
{
    TestFolder folder;
    folder.openWorkingYear();
    folder.closeYear(2022);
    QDir().mkpath(folder.path() + QStringLiteral("2019"));
    folder.write(QStringLiteral("2018/") + DatabaseLocation::databaseFileName, "nu este o baza de date");
    DatabaseLocation& location = DatabaseLocation::instance();
    ASSERT_TRUE(location.switchToYear(QStringLiteral("2022"), false).ok);

    const struct {
        const char* text;
        const char* messageStart;
    } refused[] = {
        {"2019", "Pentru anul 2019 nu exista baza de date"},
        {"2020", "Pentru anul 2020 nu exista baza de date"},
        {"20x1", "\"20x1\" nu este un an"},
        {"../2022", "\"../2022\" nu este un an"},
        {"", "\"\" nu este un an"},
        {"2018", "Baza de date a anului ales nu poate fi deschisa"},
    };
    for (const auto& c : refused) {
        const DatabaseLocation::SwitchResult result =
            location.switchToYear(QString::fromLatin1(c.text), false);
        EXPECT_FALSE(result.ok) << c.text;
        EXPECT_TRUE(result.message.startsWith(QString::fromLatin1(c.messageStart)))
            << result.message.toStdString();
        EXPECT_TRUE(location.isClosedYearOpen());
        EXPECT_EQ(openYear(), 2022) << c.text;
    }
}

// An installation whose options file names a server opens the working year
// there: no database file is looked for or created in the program folder.
TEST(DatabaseLocation, AnInstallationOnAServerOpensTheWorkingYearThere)
{
    SKIP_WITHOUT_TEST_SERVER();
    TestServerDatabase server;
    Sql::exec(server.openWorkingYear(),
              QStringLiteral("UPDATE Parohia SET Parohia = 'Parohia de pe server'"));
    Connection::close();
    TestFolder folder;
    folder.write(QStringLiteral("Configurari.ini"),
                 "[Options]\nBackup BD zilnic=0\n[Server]\nAdresa=" + server.address().toUtf8() + "\n");

    DatabaseLocation::instance().openWorkingYear();
    EXPECT_TRUE(Connection::isServer());
    EXPECT_EQ(Sql::scalar(Connection::database(), QStringLiteral("SELECT Parohia FROM Parohia")).toString(),
              QStringLiteral("Parohia de pe server"));
    // The working year chosen in the year list is the one open: the connection stays on the server.
    const DatabaseLocation::SwitchResult chosen = DatabaseLocation::instance().switchToYear(QString(), true);
    EXPECT_TRUE(chosen.ok) << chosen.message.toStdString();
    EXPECT_FALSE(chosen.switched);
    EXPECT_TRUE(Connection::isServer());
    EXPECT_FALSE(QFile::exists(folder.databaseFile()));
}

// The server wants a password that the user's ~/.pgpass does not hold: it is
// asked at the start, again when refused, and written nowhere; a cancelled
// question leaves the program without its books, told why.
TEST(DatabaseLocation, AServersPasswordIsAskedAtTheStartAndKeptNowhere)
{
    SKIP_WITHOUT_TEST_SERVER();
    TestServerDatabase server;
    const QSqlDatabase db = server.openWorkingYear();
    // The tests' server asks this user alone for a password.
    Sql::exec(db, QStringLiteral("DO $$BEGIN CREATE ROLE lumivaret_parola LOGIN PASSWORD 'Cuvant-2024'; "
                                 "EXCEPTION WHEN duplicate_object THEN NULL; END$$"));
    Sql::exec(db, QStringLiteral("GRANT USAGE ON SCHEMA parohie TO lumivaret_parola"));
    Sql::exec(db, QStringLiteral("GRANT SELECT ON ALL TABLES IN SCHEMA parohie TO lumivaret_parola"));
    Connection::close();
    TestFolder folder;
    ScriptedDialogs dialogs;
    QUrl address(server.address());
    address.setUserName(QStringLiteral("lumivaret_parola"));
    folder.write(QStringLiteral("Configurari.ini"), "[Server]\nAdresa=" + address.toString().toUtf8() + "\n");

    dialogs.passwordAnswers = {QStringLiteral("gresita"), QStringLiteral("Cuvant-2024")};
    DatabaseLocation::instance().openWorkingYear();
    EXPECT_EQ(Sql::scalar(Connection::database(), QStringLiteral("SELECT current_user")).toString(),
              QStringLiteral("lumivaret_parola"));
    EXPECT_EQ(openYear(), QDate::currentDate().year());
    const QString question =
        QStringLiteral("Parola serverului|%1Parola utilizatorului lumivaret_parola pe serverul 127.0.0.1:");
    EXPECT_EQ(
        dialogs.texts(QStringLiteral("password")),
        (QStringList{question.arg(QString()), question.arg(QStringLiteral("Parola nu a fost primita. "))}));
    for (const QString& file : QDir(folder.path()).entryList(QDir::Files))
        EXPECT_FALSE(contentsOf(folder.file(file)).contains("Cuvant")) << file.toStdString();

    Connection::close();
    dialogs.passwordAnswers.clear();
    try {
        DatabaseLocation::instance().openWorkingYear();
        ADD_FAILURE() << "opened without its password";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("Serverul "))) << e.text().toStdString();
    }
    EXPECT_FALSE(Connection::isOpen());
}
