#include "db/DatabaseLocation.h"
#include "core/ProgramFolder.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "support/TestFolder.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
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
