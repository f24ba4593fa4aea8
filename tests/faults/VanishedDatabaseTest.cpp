#include "IncomeEntry.h"
#include "support/TestFolder.h"

#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/SchemaBuilder.h"
#include "db/Sql.h"
#include "support/Documents.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

QString replacedMessage(const QString& databaseFile, const QString& rescueCopy, const QString& next)
{
    return QStringLiteral(
               "Fisierul bazei de date %1 a fost sters sau inlocuit de alt program in timp ce era "
               "deschis: modificarea nu a fost scrisa.\nDatele deschise in program au fost copiate "
               "in %2.\n%3")
        .arg(QDir::toNativeSeparators(databaseFile), QDir::toNativeSeparators(rescueCopy), next);
}

const QString restart = QStringLiteral("Inchideti programul si porniti-l din nou");
const QString backToTheWorkingYear =
    QStringLiteral("Alegeti anul de lucru din Sistem -> Parohia si continuati lucrul in el");

// The rescue copies made in `folder`.
QStringList rescueCopiesIn(const QString& folder)
{
    QStringList copies;
    for (const QString& name : QDir(folder).entryList({QStringLiteral("*-recuperata-*.sqlite")}, QDir::Files))
        copies << QDir(folder).filePath(name);
    return copies;
}

int incomesIn(const QString& databaseFile)
{
    const QString name = QStringLiteral("other-file-check");
    int rows = -1;
    {
        const QSqlDatabase db = Connection::openNamed(name, databaseFile);
        rows = Sql::scalar(db, QStringLiteral("SELECT count(*) FROM Venituri")).toInt();
    }
    Connection::removeNamed(name);
    return rows;
}

QString today()
{
    return QDate::currentDate().toString(Qt::ISODate);
}

} // namespace

// Another program deletes the open database file, or puts a different
// database in its place: the save is refused with a message saying so, the
// receipt stays on screen, nothing is written into the new file, and the
// data still open (the only copy of the documents stored before) are copied
// out beside it.
TEST(VanishedDatabaseTest, ASaveIntoADeletedOrReplacedFileIsRefused)
{
    for (const bool replaced : {false, true}) {
        SCOPED_TRACE(replaced ? "replaced" : "deleted");
        TestFolder folder;
        folder.openWorkingYear();
        Documents::receipt(Connection::database(), 1, today(), 10.0);
        IncomeEntry entry;
        entry.open();
        entry.typeDonation(QStringLiteral("2"), QStringLiteral("30"), QStringLiteral("Donatie"));
        const QStringList typed = entry.shown();

        ASSERT_TRUE(QFile::remove(folder.databaseFile()));
        const QTemporaryDir elsewhere;
        const QString other = elsewhere.filePath(QStringLiteral("Alta.sqlite"));
        if (replaced) {
            SchemaBuilder::createDatabase(other, 2020);
            ASSERT_TRUE(QFile::copy(other, folder.databaseFile()));
        }

        const QStringList errors = entry.save();
        const QStringList copies = rescueCopiesIn(folder.path());
        ASSERT_EQ(copies.size(), 1);
        EXPECT_EQ(errors, QStringList{replacedMessage(folder.databaseFile(), copies.first(), restart)});
        EXPECT_EQ(entry.shown(), typed);
        EXPECT_EQ(incomesIn(copies.first()), 1) << "the receipt stored before is in the copy";
        EXPECT_EQ(entry.save(), errors) << "the same copy, not a second one";
        EXPECT_EQ(rescueCopiesIn(folder.path()), copies);
        if (replaced)
            EXPECT_EQ(incomesIn(folder.databaseFile()), 0) << "nothing written into the other file";
        else
            EXPECT_FALSE(QFile::exists(folder.databaseFile())) << "no new file made up under the name";
        entry.closeWindows();
    }
}

// A closed year open in the program loses its folder: a save there says so;
// the working year opens again and takes the receipt; the vanished year is
// refused by name, the connection staying on the working year.
TEST(VanishedDatabaseTest, AClosedYearWhoseFolderVanishedLeavesTheWorkingYearWorking)
{
    TestFolder folder;
    folder.openWorkingYear();
    const int closed = QDate::currentDate().year() - 1;
    folder.closeYear(closed);
    DatabaseLocation& location = DatabaseLocation::instance();
    ASSERT_TRUE(location.switchToYear(QString::number(closed), false).ok);
    const QString closedFile = Connection::filePath();
    IncomeEntry entry;
    entry.open();
    entry.typeDonation(QStringLiteral("5"), QStringLiteral("30"), QStringLiteral("Donatie"),
                       QStringLiteral("1005") + QString::number(closed));

    ASSERT_TRUE(QDir(DatabaseLocation::yearFolder(closed)).removeRecursively());
    const QStringList errors = entry.save();
    const QStringList copies = rescueCopiesIn(folder.path());
    ASSERT_EQ(copies.size(), 1) << "beside the working year, the year folder being gone";
    EXPECT_EQ(errors, QStringList{replacedMessage(closedFile, copies.first(), backToTheWorkingYear)});

    ASSERT_TRUE(location.switchToYear(QString(), true).ok);
    EXPECT_FALSE(location.isClosedYearOpen());
    const auto refused = location.switchToYear(QString::number(closed), false);
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(
        refused.message.startsWith(QStringLiteral("Pentru anul %1 nu exista baza de date").arg(closed)));
    EXPECT_EQ(Connection::filePath(), folder.databaseFile());

    entry.closeWindows();
    entry.open();
    entry.typeDonation(QStringLiteral("1"), QStringLiteral("30"), QStringLiteral("Donatie"));
    EXPECT_EQ(entry.save(), QStringList());
    EXPECT_EQ(storedIncomes().size(), 1);
}
